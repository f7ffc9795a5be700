#include "lilv_host.h"

#include <cstring>
#include <stdexcept>

#include "counted_allocations.h"

LilvHost::LilvHost(const std::string& pluginUri, double samplingFrequency, bool offerWorker) {
    world_ = lilv_world_new();
    LilvNode* bundle = lilv_new_file_uri(world_, nullptr, VORLEXI_LV2_BUNDLE "/");
    lilv_world_load_specifications(world_);
    lilv_world_load_bundle(world_, bundle);
    lilv_node_free(bundle);
    LilvNode* uri = lilv_new_uri(world_, pluginUri.c_str());
    plugin_ = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world_), uri);
    lilv_node_free(uri);
    if (!plugin_) {
        lilv_world_free(world_);
        throw std::runtime_error("no plugin " + pluginUri + " in " VORLEXI_LV2_BUNDLE);
    }
    schedule_ = {this, &LilvHost::Schedule};
    scheduleFeature_ = {LV2_WORKER__schedule, &schedule_};
    const LV2_Feature* withWorker[] = {&scheduleFeature_, nullptr};
    const LV2_Feature* without[] = {nullptr};
    instance_ =
        lilv_plugin_instantiate(plugin_, samplingFrequency, offerWorker ? withWorker : without);
    if (!instance_) {
        lilv_world_free(world_);
        throw std::runtime_error("the plugin refused to instantiate");
    }
    if (offerWorker) {
        worker_ = static_cast<const LV2_Worker_Interface*>(
            lilv_instance_get_extension_data(instance_, LV2_WORKER__interface));
    }

    const std::uint32_t ports = lilv_plugin_get_num_ports(plugin_);
    controls_.assign(ports, 0.0f);
    std::vector<float> defaults(ports);
    lilv_plugin_get_port_ranges_float(plugin_, nullptr, nullptr, defaults.data());
    LilvNode* audio = lilv_new_uri(world_, LV2_CORE__AudioPort);
    LilvNode* input = lilv_new_uri(world_, LV2_CORE__InputPort);
    for (std::uint32_t i = 0; i < ports; ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin_, i);
        if (lilv_port_is_a(plugin_, port, audio)) {
            (lilv_port_is_a(plugin_, port, input) ? inputs_ : outputs_).push_back(i);
        } else {
            controls_[i] = defaults[i];
            lilv_instance_connect_port(instance_, i, &controls_[i]);
        }
    }
    lilv_node_free(audio);
    lilv_node_free(input);
    buffers_.resize(ports);
}

LilvHost::~LilvHost() {
    lilv_instance_deactivate(instance_);
    lilv_instance_free(instance_);
    lilv_world_free(world_);
}

void LilvHost::Set(const std::string& symbol, float value) {
    LilvNode* name = lilv_new_string(world_, symbol.c_str());
    const LilvPort* port = lilv_plugin_get_port_by_symbol(plugin_, name);
    lilv_node_free(name);
    if (!port) {
        throw std::runtime_error("no control " + symbol);
    }
    controls_[lilv_port_get_index(plugin_, port)] = value;
}

void LilvHost::Activate() { lilv_instance_activate(instance_); }

std::vector<float> LilvHost::Run(const std::vector<float>& input, std::uint32_t frames) {
    const std::size_t channels = inputs_.size();
    for (std::size_t c = 0; c < channels; ++c) {
        buffers_[inputs_[c]].assign(input.begin() + c * frames, input.begin() + (c + 1) * frames);
        buffers_[outputs_[c]].assign(frames, 0.0f);
        lilv_instance_connect_port(instance_, inputs_[c], buffers_[inputs_[c]].data());
        lilv_instance_connect_port(instance_, outputs_[c], buffers_[outputs_[c]].data());
    }
    jobs_.reserve(4);
    long long before = AllocationsSoFar();
    lilv_instance_run(instance_, frames);
    realTimeAllocations_ += AllocationsSoFar() - before;
    for (const std::vector<char>& job : jobs_) {
        worker_->work(lilv_instance_get_handle(instance_), &LilvHost::Respond, this,
                      static_cast<uint32_t>(job.size()), job.data());
    }
    jobs_.clear();
    for (const std::vector<char>& response : responses_) {
        before = AllocationsSoFar();
        worker_->work_response(lilv_instance_get_handle(instance_),
                               static_cast<uint32_t>(response.size()), response.data());
        realTimeAllocations_ += AllocationsSoFar() - before;
    }
    responses_.clear();
    std::vector<float> output;
    for (std::size_t c = 0; c < channels; ++c) {
        output.insert(output.end(), buffers_[outputs_[c]].begin(), buffers_[outputs_[c]].end());
    }
    return output;
}

// Called inside run(): the job is copied into room reserved before, as a host's ring
// buffer would take it, so that the counter sees only the plugin's own allocations.
LV2_Worker_Status LilvHost::Schedule(LV2_Worker_Schedule_Handle handle, uint32_t size,
                                     const void* data) {
    auto* host = static_cast<LilvHost*>(handle);
    const long long before = AllocationsSoFar();
    const char* bytes = static_cast<const char*>(data);
    host->jobs_.emplace_back(bytes, bytes + size);
    host->realTimeAllocations_ -= AllocationsSoFar() - before;
    return LV2_WORKER_SUCCESS;
}

LV2_Worker_Status LilvHost::Respond(LV2_Worker_Respond_Handle handle, uint32_t size,
                                    const void* data) {
    auto* host = static_cast<LilvHost*>(handle);
    const char* bytes = static_cast<const char*>(data);
    host->responses_.emplace_back(bytes, bytes + size);
    return LV2_WORKER_SUCCESS;
}
