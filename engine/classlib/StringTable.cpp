#include "StringTable.h"

#include <map>
#include <vector>

namespace vorlik {
namespace {

const std::map<unsigned, std::u16string_view>& Table() {
    static const std::map<unsigned, std::u16string_view> table = {
        {10, u"Error 1: Cannot open the file to be repaired. %s"},
        {11, u"Error 2: General error. %s"},
        {12, u"Error 3: Unknown error in %s."},
        {13, u"\\\\.\\PHYSICALDRIVE"},
        {14, u"\\\\.\\"},
        {15, u"Error 4: Cannot create the destination file. %s"},
        {28, u"Error 7: Share violation when opening the source file '%s'.\r\n"
             u"Please close any other applications accessing the file and try again.\r\n"
             u"If this still cannot work, then please make a copy of the source file, then "
             u"restore the copy instead."},
        {29, u"whole recovery process"},
        {61472, u"No error message is available."},
        {61856, u"No error occurred."},
        {61857, u"An unknown error occurred while accessing %1."},
        {61858, u"%1 was not found."},
        {61859, u"%1 contains an incorrect path."},
        {61860, u"Could not open %1 because there are too many open files."},
        {61861, u"Access to %1 was denied."},
        {61862, u"An incorrect file handle was associated with %1."},
        {61863, u"Could not remove %1 because it is the current directory."},
        {61864, u"Could not create %1 because the directory is full."},
        {61865, u"Seek failed on %1"},
        {61866, u"Encountered a hardware I/O error while accessing %1."},
        {61867, u"Encountered a sharing violation while accessing %1."},
        {61868, u"Encountered a locking violation while accessing %1."},
        {61869, u"Disk full while accessing %1."},
        {61870, u"Attempted to access %1 past its end."},
        {61871, u"Out of memory."},
        {61872, u"Attempted an unsupported operation."},
        {61873, u"an unnamed file"},
    };
    return table;
}

} // namespace

std::u16string LoadEngineString(unsigned id) {
    const auto it = Table().find(id);
    return it == Table().end() ? std::u16string() : std::u16string(it->second);
}

std::u16string FormatText(std::u16string_view format,
                          std::initializer_list<std::u16string_view> arguments) {
    const std::vector<std::u16string_view> args(arguments);
    std::u16string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        const char16_t c = format[i];
        const char16_t spec = i + 1 < format.size() ? format[i + 1] : u'\0';
        if (c == u'%' && spec == u's') {
            if (next < args.size())
                out += args[next++];
            ++i;
        } else if (c == u'%' && spec == u'1') {
            if (!args.empty())
                out += args[0];
            ++i;
        } else if (c == u'%' && spec == u'%') {
            out += u'%';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace vorlik
