#include "tests/e2e/OwnProgramFolder.h"

OwnProgramFolder::OwnProgramFolder(Data data, const std::filesystem::path& built)
    : m_program(m_dir / built.filename().string())
{
    std::error_code linked;
    std::filesystem::create_hard_link(built, Program(), linked);
    if (linked) std::filesystem::copy_file(built, Program());
    if (data == Data::None) return;
    // The embedded world's sky is the "Transponders" folder beside the
    // program; the Motor/Positioner page reads both from there too.
    std::filesystem::create_directory_symlink(built.parent_path() / "Transponders", m_dir / "Transponders");
    std::filesystem::create_symlink(built.parent_path() / "CityList.txt", m_dir / "CityList.txt");
}
