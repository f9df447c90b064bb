// Runs engine jobs through the program's own entry and records every message
// the job sends, decoded while the parameter is still valid.
#pragma once

#include "vorlik/Vorlik.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

struct JobMessage {
    uintptr_t code = 0;
    uint64_t value = 0; // percent or byte/sector count
    std::string text;   // path or error text, ASCII-narrowed
};

class JobRecorder {
  public:
    // Answers the n-th stop question (counting from 1) with "stop"; 0 never.
    void StopAtQuery(size_t n) { m_stopAt = n; }
    // Answers every stop question with "stop" from the first on where the
    // condition holds.
    void StopWhen(std::function<bool()> condition) { m_stopWhen = std::move(condition); }

    int32_t Run(const std::u16string& source, const std::u16string& destination,
                const TOptionsStruct* options);
    int32_t Run(const std::filesystem::path& source, const std::filesystem::path& destination,
                const TOptionsStruct* options = nullptr);

    // Codes in order, without the stop questions.
    std::vector<uintptr_t> Codes() const;
    size_t Count(uintptr_t code) const;
    // The value or text of the last message with this code.
    uint64_t Value(uintptr_t code) const;
    std::string Text(uintptr_t code) const;
    // Percents of the progress reports sent from the copy loop.
    std::vector<uint64_t> LoopProgress() const;

    std::vector<JobMessage> messages;
    std::vector<uintptr_t> callbackContexts;

    static int32_t VORLIK_CALL Callback(uintptr_t code, uintptr_t param, uintptr_t context);

  private:
    size_t m_stopAt = 0;
    std::function<bool()> m_stopWhen;
    bool m_stopping = false;
    size_t m_queries = 0;
};

std::string Narrow(const std::u16string& text);
std::u16string Wide(const std::filesystem::path& path);

} // namespace testsupport
