#pragma once
// The nine settings, read at start-up and written at exit (Settings.h). The settings dialog edits
// the four the user chooses.

#include <cstdint>
#include <string>

struct StoredSettings {
    std::string strDefaultStorybookPath;
    std::string strLastUsedPath;
    bool blnSetDefaultToLastUsedPath = false;
    std::string strLoadImageCacheWarning; // the stored text: only "True" warns
    bool blnLoadImageCacheWarning = false;
    bool blnLoadImageSortByDate = false;
    std::int32_t lngRunsForThisVersion = 0;
    std::string strReleaseNote;
    std::string strMyDocuments;
};
