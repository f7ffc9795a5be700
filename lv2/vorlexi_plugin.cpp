// vorlexi's LV2 plugins, stereo and mono: a thin shell over the design door
// (plugin_design.h) and the crossfading cascade. Threading as LV2 defines it:
// instantiate, activate and the worker's work() may design; run() and work_response()
// run in the audio thread and only copy, compare and filter.
//
// A host that offers the worker (LV2 worker extension) gets a new design for every
// control change while running. A host without it (lilv's lv2apply and lv2bench) gets
// the design of the controls as they are connected at activate(); changes while running
// take effect at the next activation.

#include <lv2/core/lv2.h>
#include <lv2/worker/worker.h>

#include <cstring>
#include <new>

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "crossfading_cascade.h"
#include "plugin/plugin_controls.h"
#include "plugin_design.h"

namespace {

// Long enough that a fade of a low bass change has no step in it, short enough that a
// change is heard at once: 10 ms.
constexpr double kFadeSeconds = 0.010;

DesignedFilter Unity() {
    DesignedFilter unity;
    unity.count = 1;
    return unity;
}

// What the worker hands back: the settings it designed for, and the design.
struct WorkerResponse {
    DesignSettings settings;
    DesignedFilter filter;
};

// Denormal numbers (the tail of a decaying filter after the input falls silent) are
// slow on x86; flushed to zero in run() they cost nothing and change nothing audible.
class DenormalsFlushed {
public:
    DenormalsFlushed() {
#if defined(__SSE__) || defined(__x86_64__)
        saved_ = _mm_getcsr();
        _mm_setcsr(saved_ | 0x8040);  // flush to zero, denormals are zero
#endif
    }
    ~DenormalsFlushed() {
#if defined(__SSE__) || defined(__x86_64__)
        _mm_setcsr(saved_);
#endif
    }
    DenormalsFlushed(const DenormalsFlushed&) = delete;
    DenormalsFlushed& operator=(const DenormalsFlushed&) = delete;

private:
    unsigned saved_ = 0;
};

struct Plugin {
    Plugin(double rate, int channelCount, const LV2_Worker_Schedule* worker)
        : samplingFrequency(rate),
          channels(channelCount),
          schedule(worker),
          filter(rate, kFadeSeconds) {}

    double samplingFrequency;
    int channels;
    const LV2_Worker_Schedule* schedule;
    const float* controls[kControlCount] = {};
    const float* in[CrossfadingCascade::kMaxChannels] = {};
    float* out[CrossfadingCascade::kMaxChannels] = {};

    CrossfadingCascade filter;
    DesignedFilter designed;  // the latest design of the controls
    DesignSettings designedFor;
    DesignSettings requested;  // the latest settings sent to the worker
    bool workPending = false;
    bool enabled = true;  // as the filter runs now

    bool EnabledControl() const {
        const float* port = controls[PortIndex(Control::Enabled)];
        return SanitisedValue(Control::Enabled, port ? *port : 1.0f) > 0.0f;
    }
};

template <int Channels>
LV2_Handle Instantiate(const LV2_Descriptor*, double rate, const char*,
                       const LV2_Feature* const* features) {
    const LV2_Worker_Schedule* schedule = nullptr;
    for (int i = 0; features && features[i]; ++i) {
        if (std::strcmp(features[i]->URI, LV2_WORKER__schedule) == 0) {
            schedule = static_cast<const LV2_Worker_Schedule*>(features[i]->data);
        }
    }
    try {
        auto* plugin = new Plugin(rate, Channels, schedule);
        plugin->designedFor = DefaultSettings();
        plugin->requested = plugin->designedFor;
        plugin->designed = DesignFilter(plugin->designedFor, rate);
        if (plugin->designed.count == 0) {
            // A rate the design does not support: the host reports the plugin as
            // failing to load rather than running it unequalised.
            delete plugin;
            return nullptr;
        }
        plugin->filter.Start(plugin->designed);
        return plugin;
    } catch (...) {
        return nullptr;
    }
}

template <int Channels>
void ConnectPort(LV2_Handle handle, uint32_t port, void* data) {
    auto* plugin = static_cast<Plugin*>(handle);
    if (port < kFirstAudioPort) {
        plugin->controls[port] = static_cast<const float*>(data);
        return;
    }
    const uint32_t audio = port - kFirstAudioPort;
    if (audio < Channels) {
        plugin->in[audio] = static_cast<const float*>(data);
    } else if (audio < 2 * Channels) {
        plugin->out[audio - Channels] = static_cast<float*>(data);
    }
}

void Activate(LV2_Handle handle) {
    auto* plugin = static_cast<Plugin*>(handle);
    const DesignSettings settings = SettingsFromControls(plugin->controls);
    if (!(settings == plugin->designedFor)) {
        try {
            const DesignedFilter filter = DesignFilter(settings, plugin->samplingFrequency);
            if (filter.count > 0) {
                plugin->designed = filter;
            }
        } catch (...) {
            // Out of memory: the design made before runs on.
        }
        plugin->designedFor = settings;
    }
    plugin->requested = settings;
    // A job the host dropped while the plugin was inactive must not block the next one.
    plugin->workPending = false;
    plugin->enabled = plugin->EnabledControl();
    plugin->filter.Start(plugin->enabled ? plugin->designed : Unity());
}

void Run(LV2_Handle handle, uint32_t frames) {
    auto* plugin = static_cast<Plugin*>(handle);
    const DenormalsFlushed flushed;
    if (plugin->schedule && !plugin->workPending) {
        const DesignSettings settings = SettingsFromControls(plugin->controls);
        if (!(settings == plugin->requested)) {
            if (plugin->schedule->schedule_work(plugin->schedule->handle, sizeof settings,
                                                &settings) == LV2_WORKER_SUCCESS) {
                plugin->requested = settings;
                plugin->workPending = true;
            }
        }
    }
    const bool enabled = plugin->EnabledControl();
    if (enabled != plugin->enabled) {
        plugin->enabled = enabled;
        plugin->filter.ChangeTo(enabled ? plugin->designed : Unity());
    }
    for (int c = 0; c < plugin->channels; ++c) {
        if (!plugin->in[c] || !plugin->out[c]) return;
    }
    plugin->filter.Process(plugin->in, plugin->out, plugin->channels, frames);
}

void Cleanup(LV2_Handle handle) { delete static_cast<Plugin*>(handle); }

LV2_Worker_Status Work(LV2_Handle handle, LV2_Worker_Respond_Function respond,
                       LV2_Worker_Respond_Handle respondHandle, uint32_t size, const void* data) {
    const auto* plugin = static_cast<const Plugin*>(handle);
    if (size != sizeof(DesignSettings)) {
        return LV2_WORKER_ERR_UNKNOWN;
    }
    WorkerResponse response;
    std::memcpy(&response.settings, data, sizeof response.settings);
    try {
        response.filter = DesignFilter(response.settings, plugin->samplingFrequency);
    } catch (...) {
        response.filter = DesignedFilter{};
    }
    return respond(respondHandle, sizeof response, &response);
}

LV2_Worker_Status WorkResponse(LV2_Handle handle, uint32_t size, const void* data) {
    auto* plugin = static_cast<Plugin*>(handle);
    if (size != sizeof(WorkerResponse)) {
        return LV2_WORKER_ERR_UNKNOWN;
    }
    WorkerResponse response;
    std::memcpy(&response, data, sizeof response);
    plugin->workPending = false;
    plugin->designedFor = response.settings;
    // A design the core refused (a shelf above the turnover) leaves the last one running.
    if (response.filter.count > 0) {
        plugin->designed = response.filter;
        if (plugin->enabled) {
            plugin->filter.ChangeTo(plugin->designed);
        }
    }
    return LV2_WORKER_SUCCESS;
}

const void* ExtensionData(const char* uri) {
    static const LV2_Worker_Interface worker = {Work, WorkResponse, nullptr};
    return std::strcmp(uri, LV2_WORKER__interface) == 0 ? &worker : nullptr;
}

const LV2_Descriptor kDescriptors[] = {
    {kStereoPluginUri.data(), Instantiate<2>, ConnectPort<2>, Activate, Run, nullptr, Cleanup,
     ExtensionData},
    {kMonoPluginUri.data(), Instantiate<1>, ConnectPort<1>, Activate, Run, nullptr, Cleanup,
     ExtensionData},
};

}  // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index < sizeof kDescriptors / sizeof kDescriptors[0] ? &kDescriptors[index] : nullptr;
}
