#pragma once
// Encodes a list of pictures on several threads and hands the results back strictly in
// list order. A thread starts a picture only while fewer than `threads` results wait to
// be taken, so memory stays bounded by a few pictures however long the list is.

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "maker/project/build_hooks.h"

namespace gd {

struct PictureJob {
    std::string path;
    int image_type = -1;
    PictureShape shape;
};

class OrderedEncoder {
public:
    OrderedEncoder(const PictureEncoder& encoder, std::vector<PictureJob> jobs, int threads);
    // Stops handing out work and waits for the threads.
    ~OrderedEncoder();
    OrderedEncoder(const OrderedEncoder&) = delete;
    OrderedEncoder& operator=(const OrderedEncoder&) = delete;

    // The result of the next picture in list order; waits for it. Call once per job.
    PictureEntry Next();

private:
    void Work();

    const PictureEncoder& encoder_;
    std::vector<PictureJob> jobs_;
    size_t window_;
    std::vector<std::optional<PictureEntry>> results_;
    size_t next_claim_ = 0;
    size_t next_take_ = 0;
    bool stopping_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::thread> threads_;
};

}  // namespace gd
