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

void Injector::RequestStop() {
    stop_.store(true, std::memory_order_release);
    if (io_.wake) {
        io_.wake();
    }
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
    bool draining = false;
    auto setDraining = [&](bool on) {
        if (draining != on && io_.pending) {
            io_.pending(on);
        }
        draining = on;
    };
    while (!stop_.load(std::memory_order_acquire)) {
        if (RunOnce()) {
            setDraining(true);
            io_.pace();
            continue;
        }
        setDraining(false);
        io_.wait();
    }
    setDraining(false);
}

} // namespace orvane
