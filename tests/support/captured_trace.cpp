#include "support/captured_trace.h"

#include <cstdlib>

#include "model/model.h"

CapturedTrace::CapturedTrace()
    : stream_(open_memstream(&buffer_, &size_)), sink_(stream_), consoles_(trace::console().file()) {
    trace::console().setFile(stream_);
}

CapturedTrace::CapturedTrace(Model& model)
    : stream_(open_memstream(&buffer_, &size_)), sink_(stream_), model_(&model), modelsSink_(model.traceSink()) {
    model.traceTo(&sink_);
}

CapturedTrace::~CapturedTrace() {
    if (model_ != nullptr) {
        model_->traceTo(modelsSink_);
    } else {
        trace::console().setFile(consoles_);
    }
    std::fclose(stream_);
    std::free(buffer_);
}

std::string CapturedTrace::text() {
    std::fflush(stream_);
    return {buffer_, size_};
}

std::vector<std::string> CapturedTrace::lines() {
    std::vector<std::string> result;
    const std::string all = text();
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t end = all.find('\n', start);
        if (end == std::string::npos) {
            result.push_back(all.substr(start));
            break;
        }
        result.push_back(all.substr(start, end - start + 1));
        start = end + 1;
    }
    return result;
}

void CapturedTrace::clear() {
    std::fflush(stream_);
    std::rewind(stream_);
    std::fflush(stream_);
}
