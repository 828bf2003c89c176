#include <tintwright/util/OutputFile.h>

#include <system_error>

#include <tintwright/util/Func_2.h>
#include <tintwright/util/ReplaceableFile.h>
#include <tintwright/util/SiblingFile.h>

namespace tw {

void WriteOutputFile(const std::filesystem::path& target, std::string_view bytes, bool replace) {
    namespace fs = std::filesystem;
    const std::string name = ToUtf8(target.u16string());
    std::error_code error;
    if (fs::is_directory(target, error)) throw OutputRefused(name + " is a folder");
    if (const std::string refusal = RefusalToReplace(target, replace); !refusal.empty())
        throw OutputRefused(refusal);
    if (const std::string reason = WhyNotReplaceable(target); !reason.empty())
        throw OutputRefused(name + ": " + reason);
    SiblingFile file(target);
    if (!file.IsOpen() ||
        !file.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()) || !file.Commit())
        throw OutputRefused("cannot write " + name + ": " +
                            std::error_code(file.Error(), std::generic_category()).message());
}

}  // namespace tw
