#include "JobTexts.h"

#include "platform/Storage.h"

namespace vorlik {

std::u16string FormatFileError(const CException& failure, unsigned textId) {
    std::u16string description;
    if (!failure.GetErrorMessage(description))
        description = LoadEngineString(kTextNoErrorMessage);
    if (description.size() > kMaxDescription)
        description.resize(kMaxDescription);
    return FormatText(LoadEngineString(textId), {description});
}

std::u16string FileNamePart(const std::u16string& path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (os::IsPathSeparator(path[i - 1]))
            return path.substr(i);
    }
    return path;
}

void SendJobText(const CCommunicator& channel, uintptr_t code, unsigned textId,
                 std::initializer_list<std::u16string_view> arguments) {
    const std::u16string text = FormatText(LoadEngineString(textId), arguments);
    channel.Send(code, text.c_str());
}

} // namespace vorlik
