#include "JobRecorder.h"

#include "CallEngineJob.h"

namespace testsupport {
namespace {

bool IsText(uintptr_t code) {
    return code == JOBMSG_SOURCE || code == JOBMSG_LOG_TEXT || code == JOBMSG_MESSAGE_BOX;
}

bool IsCount(uintptr_t code) {
    return code == JOBMSG_TOTAL_BYTES || code == JOBMSG_BYTES_DONE || code == JOBMSG_BAD_SECTORS;
}

} // namespace

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::u16string Wide(const std::filesystem::path& path) {
    return path.u16string();
}

int32_t VORLIK_CALL JobRecorder::Callback(uintptr_t code, uintptr_t param, uintptr_t context) {
    auto* self = reinterpret_cast<JobRecorder*>(context);
    self->callbackContexts.push_back(context);
    JobMessage message;
    message.code = code;
    if (code == JOBMSG_QUERY_ABORT) {
        ++self->m_queries;
        self->messages.push_back(message);
        self->m_stopping = self->m_stopping ||
                           (self->m_stopAt != 0 && self->m_queries >= self->m_stopAt) ||
                           (self->m_stopWhen && self->m_stopWhen());
        return self->m_stopping ? 1 : 0;
    }
    if (code == JOBMSG_PROGRESS)
        message.value = *reinterpret_cast<const uint8_t*>(param);
    else if (IsCount(code))
        message.value = *reinterpret_cast<const uint64_t*>(param);
    else if (IsText(code))
        message.text = Narrow(reinterpret_cast<const char16_t*>(param));
    self->messages.push_back(message);
    return 0;
}

int32_t JobRecorder::Run(const std::u16string& source, const std::u16string& destination,
                         const TOptionsStruct* options) {
    return CallEngineJob(source.c_str(), options, destination.c_str(), &JobRecorder::Callback,
                         reinterpret_cast<uintptr_t>(this));
}

int32_t JobRecorder::Run(const std::filesystem::path& source,
                         const std::filesystem::path& destination, const TOptionsStruct* options) {
    return Run(Wide(source), Wide(destination), options);
}

std::vector<uintptr_t> JobRecorder::Codes() const {
    std::vector<uintptr_t> codes;
    for (const auto& m : messages) {
        if (m.code != JOBMSG_QUERY_ABORT)
            codes.push_back(m.code);
    }
    return codes;
}

size_t JobRecorder::Count(uintptr_t code) const {
    size_t n = 0;
    for (const auto& m : messages)
        n += m.code == code ? 1 : 0;
    return n;
}

uint64_t JobRecorder::Value(uintptr_t code) const {
    for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
        if (it->code == code)
            return it->value;
    }
    return UINT64_MAX;
}

std::string JobRecorder::Text(uintptr_t code) const {
    for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
        if (it->code == code)
            return it->text;
    }
    return "<none>";
}

std::vector<uint64_t> JobRecorder::LoopProgress() const {
    std::vector<uint64_t> percents;
    for (size_t i = 0; i + 1 < messages.size(); ++i) {
        if (messages[i].code == JOBMSG_PROGRESS && messages[i + 1].code == JOBMSG_BYTES_DONE)
            percents.push_back(messages[i].value);
    }
    return percents;
}

} // namespace testsupport
