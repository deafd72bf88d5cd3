#include "CDCOpenSave.h"

#include "document/PathSplit.h"

std::string CDCOpenSave::BuildFilterList(std::string_view filter) {
    std::string list(filter);
    for (char& c : list)
        if (c == '|' || c == ':')
            c = '\0';
    list.append(2, '\0');
    return list;
}

std::string CDCOpenSave::TextBeforeNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

std::string CDCOpenSave::FilterPairAt(std::string_view filterList, std::int32_t index) {
    if (filterList.empty())
        return {};
    std::size_t start = 0;
    while (true) {
        const std::size_t firstNul = filterList.find('\0', start);
        if (firstNul == std::string_view::npos)
            return {};
        const std::size_t secondNul = filterList.find('\0', firstNul + 1);
        const std::size_t end = secondNul == std::string_view::npos ? filterList.size() : secondNul;
        if (index == 1) {
            // The list's closing NUL is no pair.
            const std::string_view item = filterList.substr(start, end - start);
            return item == std::string_view("\0", 1) ? std::string() : std::string(item);
        }
        // An index beyond the list, or below 1, names no pair.
        if (index < 1 || secondNul == std::string_view::npos)
            return {};
        --index;
        start = secondNul + 1;
    }
}

std::vector<FileFilter> CDCOpenSave::FilterPairs(std::string_view filterList) {
    std::vector<FileFilter> pairs;
    for (std::int32_t index = 1;; ++index) {
        const std::string pair = FilterPairAt(filterList, index);
        const std::size_t nul = pair.find('\0');
        if (pair.empty() || nul == 0 || nul == std::string::npos)
            break;
        pairs.push_back({pair.substr(0, nul), pair.substr(nul + 1)});
    }
    return pairs;
}

std::int32_t CDCOpenSave::OpenFlags(const OpenFileNameParams& params) {
    std::int32_t flags = 0;
    if (params.MultiSelect)
        flags |= OFN_ALLOWMULTISELECT;
    if (params.ReadOnly)
        flags |= OFN_READONLY;
    if (params.HideReadOnly)
        flags |= OFN_HIDEREADONLY;
    if (params.FileMustExist)
        flags |= OFN_FILEMUSTEXIST;
    return flags | (params.flags & ~(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE));
}

std::int32_t CDCOpenSave::SaveFlags(const SaveFileNameParams& params) {
    std::int32_t flags = OFN_HIDEREADONLY;
    if (params.OverWritePrompt)
        flags |= OFN_OVERWRITEPROMPT;
    return flags | (params.flags & ~(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE));
}

std::string CDCOpenSave::VBGetFileTitle(std::string_view sFIle) {
    return splitPath(sFIle).name;
}

FileDialogResult CDCOpenSave::show(FileDialogRequest request, std::string_view filterList) {
    m_lApiReturn = 0;
    m_lExtendedError = 0;
    if (request.fileName.size() > kMaxPathBuffer) {
        m_lExtendedError = kExtendedErrorBufferTooSmall;
        return {};
    }
    request.filters = FilterPairs(filterList);
    FileDialogResult result = m_seam.fileDialog(request);
    m_lApiReturn = result.chosen ? 1 : 0;
    if (!result.chosen)
        m_lExtendedError = result.extendedError;
    return result;
}

bool CDCOpenSave::VBGetOpenFileName(OpenFileNameParams& params) {
    if (params.FileTitle.size() > kMaxPathBuffer) {
        m_lApiReturn = 0;
        m_lExtendedError = kExtendedErrorBufferTooSmall;
        return false;
    }
    const std::string filterList = BuildFilterList(params.Filter);
    const std::int32_t flags = OpenFlags(params);
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.filterIndex = params.FilterIndex;
    request.initialFolder = params.InitDir;
    request.title = params.DlgTitle;
    request.fileName = params.Filename;
    request.defaultExtension = params.DefaultExt;
    request.fileMustExist = flags & OFN_FILEMUSTEXIST;
    request.readOnlyTicked = flags & OFN_READONLY;
    request.hideReadOnly = flags & OFN_HIDEREADONLY;
    request.multiSelect = flags & OFN_ALLOWMULTISELECT;
    request.overwritePrompt = flags & OFN_OVERWRITEPROMPT;

    const bool refused = params.Filename.size() > kMaxPathBuffer;
    const FileDialogResult result = show(request, filterList);
    if (refused)
        return false;
    if (!result.chosen) {
        params.Filename.clear();
        params.FileTitle.clear();
        params.Filter.clear();
        params.flags = 0;
        params.FilterIndex = -1;
        return false;
    }
    params.Filename = TextBeforeNul(result.path);
    params.FileTitle = TextBeforeNul(result.fileTitle);
    params.flags = (flags & ~OFN_READONLY) | (result.readOnly ? OFN_READONLY : 0);
    params.FilterIndex = result.filterIndex;
    params.Filter = FilterPairAt(filterList, result.filterIndex);
    if (params.flags & OFN_READONLY)
        params.ReadOnly = true;
    return true;
}

bool CDCOpenSave::VBGetSaveFileName(SaveFileNameParams& params) {
    if (params.FileTitle.size() > kMaxPathBuffer) {
        m_lApiReturn = 0;
        m_lExtendedError = kExtendedErrorBufferTooSmall;
        return false;
    }
    const std::string filterList = BuildFilterList(params.Filter);
    const std::int32_t flags = SaveFlags(params);
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.filterIndex = params.FilterIndex;
    request.initialFolder = params.InitDir;
    request.title = params.DlgTitle;
    request.fileName = params.Filename;
    request.defaultExtension = params.DefaultExt;
    request.overwritePrompt = flags & OFN_OVERWRITEPROMPT;
    request.hideReadOnly = true;

    const bool refused = params.Filename.size() > kMaxPathBuffer;
    const FileDialogResult result = show(request, filterList);
    if (refused)
        return false;
    if (!result.chosen) {
        params.Filename.clear();
        params.FileTitle.clear();
        params.Filter.clear();
        params.flags = 0;
        params.FilterIndex = 0;
        return false;
    }
    params.Filename = TextBeforeNul(result.path);
    params.FileTitle = TextBeforeNul(result.fileTitle);
    params.flags = flags;
    params.FilterIndex = result.filterIndex;
    params.Filter = FilterPairAt(filterList, result.filterIndex);
    return true;
}
