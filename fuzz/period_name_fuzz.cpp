// File names from the usage folders: they become period texts, image file
// names and parts of the export document. Whatever the bytes, the document
// line stays printable ASCII and a name never leaves its folder.
#include "reports/html_document.h"
#include "reports/period_list.h"
#include "reports/utf8.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumidor;
    const std::string name(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> texts = PeriodTextsOf({{name, false}, {name + ".dat", false}});
    for (const std::string& text : texts) {
        if (text.size() > name.size() + 4)
            __builtin_trap();
        const std::string line = ExportImageLine(text);
        for (char byte : line) {
            const auto value = static_cast<unsigned char>(byte);
            if (value >= 0x80 || (value < 0x20 && byte != '\r' && byte != '\n'))
                __builtin_trap();
        }
        if (const auto path = FileInFolder("Images", text + ".png")) {
            if (path->parent_path() != "Images")
                __builtin_trap();
        }
    }
    return 0;
}
