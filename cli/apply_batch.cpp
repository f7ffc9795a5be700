#include "apply_batch.h"

#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <thread>
#include <vector>

int DefaultJobs(std::size_t inputs) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return static_cast<int>(std::min<std::size_t>({cores, inputs, kMostJobs}));
}

void RunOnThreads(std::size_t count, int threads, const std::function<void(std::size_t)>& job) {
    if (threads <= 1 || count <= 1) {
        for (std::size_t i = 0; i < count; ++i) job(i);
        return;
    }
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        sigset_t ending;
        sigemptyset(&ending);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&ending, signal);
        pthread_sigmask(SIG_BLOCK, &ending, nullptr);
        for (std::size_t i = next++; i < count; i = next++) job(i);
    };
    std::vector<std::thread> workers;
    const std::size_t wanted = std::min<std::size_t>(count, static_cast<std::size_t>(threads));
    for (std::size_t t = 0; t < wanted; ++t) workers.emplace_back(work);
    for (std::thread& worker : workers) worker.join();
}
