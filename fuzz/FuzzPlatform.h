#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/HeadlessPlatform.h"

// The platform under the fuzz targets: files are texts held in memory, messages
// are counted and dropped, and no question is ever answered with a yes.
class FuzzPlatform : public HeadlessPlatform {
public:
    FuzzPlatform();
    ~FuzzPlatform() override;
    FuzzPlatform(const FuzzPlatform&) = delete;
    FuzzPlatform& operator=(const FuzzPlatform&) = delete;

    // Makes `bytes` the content of the file `path`.
    void SetFile(const std::string& path, std::string_view bytes);

    Answer ShowMessage(const std::string& text, MessageKind kind) override;
    std::unique_ptr<PlatformFile> OpenForReading(const std::string& path) override;
    // The fuzz targets write no files.
    std::unique_ptr<PlatformFile> CreateTemporaryBeside(const std::string& target,
                                                        std::string& path) override;

    long messages = 0;

private:
    std::map<std::string, std::string> m_oFiles;
    Platform* m_pPrevious = nullptr;
};
