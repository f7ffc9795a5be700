#pragma once
// A small LV2 host on lilv for the plugin's tests: loads the bundle as built, connects
// every control to a value the test sets and the audio ports to buffers, and offers the
// worker, whose jobs it runs right after each run() call, as a host with a worker
// thread would between two blocks.

#include <lilv/lilv.h>
#include <lv2/worker/worker.h>

#include <cstdint>
#include <string>
#include <vector>

class LilvHost {
public:
    // Throws std::runtime_error when the plugin cannot be found or instantiated.
    LilvHost(const std::string& pluginUri, double samplingFrequency, bool offerWorker);
    ~LilvHost();
    LilvHost(const LilvHost&) = delete;
    LilvHost& operator=(const LilvHost&) = delete;

    // The control of that symbol (its default until set).
    void Set(const std::string& symbol, float value);

    void Activate();

    // Runs one block: input holds frames × channels samples, one channel after the
    // other; the output likewise. Jobs scheduled in it are done, and their responses
    // delivered, before it returns.
    std::vector<float> Run(const std::vector<float>& input, std::uint32_t frames);

    int Channels() const { return static_cast<int>(inputs_.size()); }

    // Allocations made inside the plugin's run() and work_response() so far.
    long long RealTimeAllocations() const { return realTimeAllocations_; }

private:
    static LV2_Worker_Status Schedule(LV2_Worker_Schedule_Handle handle, uint32_t size,
                                      const void* data);
    static LV2_Worker_Status Respond(LV2_Worker_Respond_Handle handle, uint32_t size,
                                     const void* data);

    LilvWorld* world_ = nullptr;
    const LilvPlugin* plugin_ = nullptr;
    LilvInstance* instance_ = nullptr;
    LV2_Worker_Schedule schedule_{};
    LV2_Feature scheduleFeature_{};
    const LV2_Worker_Interface* worker_ = nullptr;
    std::vector<float> controls_;
    std::vector<std::uint32_t> inputs_, outputs_;
    std::vector<std::vector<float>> buffers_;
    std::vector<std::vector<char>> jobs_, responses_;
    long long realTimeAllocations_ = 0;
};
