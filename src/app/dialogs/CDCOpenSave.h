#pragma once
// The Open and Save file dialogs for the commands: the caller's settings go in, the user's choice
// comes back in the same fields. One instance serves one dialog.

#include "platform/PlatformSeam.h"

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::int32_t OFN_READONLY = 0x1;
inline constexpr std::int32_t OFN_OVERWRITEPROMPT = 0x2;
inline constexpr std::int32_t OFN_HIDEREADONLY = 0x4;
inline constexpr std::int32_t OFN_ENABLEHOOK = 0x20;
inline constexpr std::int32_t OFN_ENABLETEMPLATE = 0x40;
inline constexpr std::int32_t OFN_ALLOWMULTISELECT = 0x200;
inline constexpr std::int32_t OFN_FILEMUSTEXIST = 0x1000;

// The name buffers hold this many bytes; longer names are refused before any dialog shows.
inline constexpr std::size_t kMaxPathBuffer = 260;
// The extended error left by a refused name.
inline constexpr std::int32_t kExtendedErrorBufferTooSmall = 0x3003;

inline constexpr const char* kDefaultFileFilter = "All (*.*)| *.*";

struct OpenFileNameParams {
    std::string Filename;
    std::string FileTitle;
    bool FileMustExist = true;
    bool MultiSelect = false;
    bool ReadOnly = false;
    bool HideReadOnly = false;
    std::string Filter = kDefaultFileFilter;
    std::int32_t FilterIndex = 1;
    std::string InitDir;
    std::string DlgTitle;
    std::string DefaultExt;
    std::int32_t Owner = -1;
    std::int32_t flags = 0;
    bool Hook = false; // no hook is ever installed
};

struct SaveFileNameParams {
    std::string Filename;
    std::string FileTitle;
    bool OverWritePrompt = true;
    std::string Filter = kDefaultFileFilter;
    std::int32_t FilterIndex = 1;
    std::string InitDir;
    std::string DlgTitle;
    std::string DefaultExt;
    std::int32_t Owner = -1;
    std::int32_t flags = 0;
    bool Hook = false;
};

class CDCOpenSave {
public:
    explicit CDCOpenSave(PlatformSeam& seam) : m_seam(seam) {}

    // True when a file was chosen; the fields then hold the choice, otherwise they are cleared.
    bool VBGetOpenFileName(OpenFileNameParams& params);
    bool VBGetSaveFileName(SaveFileNameParams& params);
    // The bare file name of a path; empty for a path that names no file.
    static std::string VBGetFileTitle(std::string_view sFIle);

    std::int32_t APIReturn() const { return m_lApiReturn; }
    std::int32_t ExtendedError() const { return m_lExtendedError; }

    // "|" and ":" become NULs, and two NULs end the list.
    static std::string BuildFilterList(std::string_view filter);
    static std::string TextBeforeNul(std::string_view text);
    // The 1-based pair of a NUL-separated list as description, NUL, pattern; empty if none.
    static std::string FilterPairAt(std::string_view filterList, std::int32_t index);
    static std::vector<FileFilter> FilterPairs(std::string_view filterList);
    static std::int32_t OpenFlags(const OpenFileNameParams& params);
    static std::int32_t SaveFlags(const SaveFileNameParams& params);

private:
    FileDialogResult show(FileDialogRequest request, std::string_view filterList);

    PlatformSeam& m_seam;
    std::int32_t m_lApiReturn = 0;
    std::int32_t m_lExtendedError = 0;
};
