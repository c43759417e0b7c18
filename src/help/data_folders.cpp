#include "help/data_folders.h"

#include <filesystem>
#include <system_error>

namespace tallymar {

namespace fs = std::filesystem;

std::vector<std::string> DataFolders(const std::string& program_folder) {
    const fs::path folder = program_folder.empty() ? fs::path(".") : fs::path(program_folder);
    return {folder.string(), (folder / TALLYMAR_DATA_FROM_PROGRAMS).lexically_normal().string()};
}

std::string FindDataFile(const std::vector<std::string>& folders, const std::string& name) {
    for (const std::string& folder : folders) {
        const fs::path path = fs::path(folder) / name;
        std::error_code ec;
        if (fs::is_regular_file(path, ec)) return path.string();
    }
    return "";
}

std::vector<std::string> SubFolders(const std::vector<std::string>& folders,
                                    const std::string& sub) {
    std::vector<std::string> result;
    for (const std::string& folder : folders) result.push_back((fs::path(folder) / sub).string());
    return result;
}

}  // namespace tallymar
