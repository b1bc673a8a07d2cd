#include "engine/Injector.h"

#include <utility>

namespace orvane {

Injector::Injector(OutputQueue& queue, InjectorIo io) : queue_(queue), io_(std::move(io)) {}

Injector::~Injector() {
    Stop();
}

void Injector::Start() {
    if (thread_.joinable()) {
        return;
    }
    stop_.store(false, std::memory_order_relaxed);
    thread_ = std::thread([this] { Loop(); });
}

void Injector::Stop() {
    RequestStop();
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool Injector::RunOnce() {
    int element = 0;
    bool taken = false;
    io_.lock();
    if (!queue_.empty()) {
        element = queue_.front();
        queue_.pop_front();
        taken = true;
    }
    io_.unlock();
    if (taken) {
        if (const auto out = DecodeQueueElement(element)) {
            io_.output(*out);
        }
    }
    return taken;
}

void Injector::Loop() {
    while (!stop_.load(std::memory_order_acquire)) {
        if (RunOnce() || !io_.idle) {
            io_.sleep();
        } else {
            io_.idle();
        }
    }
}

} // namespace orvane
