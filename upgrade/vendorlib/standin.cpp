// Our stand-in for the chip vendor's firmware upgrade library: drive letters
// are folders, a device in upgrade mode is a folder with a description file,
// and an upgrade copies the loaded image into that folder (see standin.h).

#include "jlupgradeapi.h"
#include "standin.h"
#include "ufwimage.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#if defined(_WIN32)
#define STANDIN_EXPORT extern "C" __declspec(dllexport)
#else
#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace fs = std::filesystem;

namespace {

std::mutex g_lock;
std::vector<uint8_t> g_image;      // the image of the last JL_loadUfwData
ufw::ImageInfo g_imageInfo;
bool g_imageValid = false;         // it passed its checks

fs::path driveRoot()
{
    const char *env = std::getenv(standin::kDrivesEnv);
    if (env && *env)
        return fs::path(env);
    std::error_code ec;
    fs::path tmp = fs::temp_directory_path(ec);
    return (ec ? fs::path(".") : tmp) / "tavro-upgrade-drives";
}

std::string chipName()
{
    const char *env = std::getenv(standin::kChipEnv);
    return (env && *env) ? std::string(env) : std::string(standin::kDefaultChipName);
}

void logCall(const std::string &line)
{
    std::error_code ec;
    const fs::path root = driveRoot();
    fs::create_directories(root, ec);
    std::ofstream out(root / standin::kCallLogFile, std::ios::app);
    out << line << '\n';
}

int logged(std::ostringstream &line, int result)
{
    line << ' ' << result;
    logCall(line.str());
    return result;
}

bool validDrive(char drive)
{
    return drive >= 'A' && drive <= 'Z';
}

fs::path driveFolder(char drive)
{
    return driveRoot() / std::string(1, drive);
}

// The description file of the device at a drive letter; false when nothing
// answers there.
bool readDescription(char drive, std::map<std::string, std::string> &keys)
{
    std::ifstream in(driveFolder(drive) / standin::kDescriptionFile);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto eq = line.find('=');
        if (eq != std::string::npos)
            keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return true;
}

int intKey(const std::map<std::string, std::string> &keys, const char *key, int fallback)
{
    const auto it = keys.find(key);
    if (it == keys.end() || it->second.empty())
        return fallback;
    return std::atoi(it->second.c_str());
}

std::string textKey(const std::map<std::string, std::string> &keys, const char *key)
{
    const auto it = keys.find(key);
    return it == keys.end() ? std::string() : it->second;
}

// Copies text into a caller's buffer, NUL-terminated, cut to fit.
bool copyOut(const std::string &text, char *buffer, int size)
{
    if (!buffer || size <= 0)
        return false;
    const std::size_t n = std::min<std::size_t>(text.size(), std::size_t(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return true;
}

} // namespace

STANDIN_EXPORT int JL_loadUfwData(const unsigned char *data, unsigned int size)
{
    std::lock_guard<std::mutex> guard(g_lock);
    std::ostringstream line;
    line << "JL_loadUfwData " << size;
    g_image.clear();
    g_imageInfo = ufw::ImageInfo();
    g_imageValid = false;
    if (!data || size == 0)
        return logged(line, standin::kErrArgument);
    if (ufw::readHeader(data, size, g_imageInfo) != ufw::Check::Ok)
        return logged(line, standin::kErrBadImage);
    g_image.assign(data, data + size);
    return logged(line, standin::kOk);
}

STANDIN_EXPORT int JL_getUfwDataCrc(const unsigned char *data, unsigned int size, unsigned int *crc)
{
    std::ostringstream line;
    line << "JL_getUfwDataCrc " << size;
    if (!data || !crc)
        return logged(line, standin::kErrArgument);
    *crc = ufw::crc32(data, size);
    return logged(line, standin::kOk);
}

STANDIN_EXPORT int JL_getUfwCrc(unsigned short *crc16, unsigned int *crc32)
{
    std::lock_guard<std::mutex> guard(g_lock);
    std::ostringstream line;
    line << "JL_getUfwCrc";
    if (g_image.empty())
        return logged(line, standin::kErrNoImage);
    ufw::ImageInfo info;
    const ufw::Check check = ufw::verifyImage(g_image.data(), g_image.size(), info);
    if (crc16)
        *crc16 = info.headerCrc;
    if (crc32)
        *crc32 = info.payloadCrc;
    if (check != ufw::Check::Ok)
        return logged(line, standin::kErrChecksum);
    g_imageValid = true;
    return logged(line, standin::kOk);
}

STANDIN_EXPORT int JL_getUfwPidVid(char *pid, int pidSize, char *vid, int vidSize)
{
    std::lock_guard<std::mutex> guard(g_lock);
    std::ostringstream line;
    line << "JL_getUfwPidVid";
    if (!pid || !vid || pidSize <= 0 || vidSize <= 0)
        return logged(line, standin::kErrArgument);
    if (!g_imageValid)
        return logged(line, standin::kErrNoImage);
    copyOut(g_imageInfo.pid, pid, pidSize);
    copyOut(g_imageInfo.vid, vid, vidSize);
    return logged(line, standin::kOk);
}

STANDIN_EXPORT int JL_getChipDeviceName(char *name, int nameSize)
{
    std::ostringstream line;
    line << "JL_getChipDeviceName";
    if (!copyOut(chipName(), name, nameSize))
        return logged(line, standin::kErrArgument);
    return logged(line, standin::kOk);
}

STANDIN_EXPORT int JL_queryDeviceDesc(char drive, char *desc, int descSize)
{
    std::ostringstream line;
    line << "JL_queryDeviceDesc " << (validDrive(drive) ? drive : '?');
    if (!validDrive(drive) || !desc || descSize <= 0)
        return logged(line, standin::kErrArgument);
    std::map<std::string, std::string> keys;
    if (!readDescription(drive, keys))
        return logged(line, standin::kErrNoDevice);
    copyOut(textKey(keys, "desc"), desc, descSize);
    return logged(line, standin::kOk);
}

STANDIN_EXPORT int JL_queryDevicePidVid(char drive, char *pid, int pidSize, char *vid, int vidSize)
{
    std::ostringstream line;
    line << "JL_queryDevicePidVid " << (validDrive(drive) ? drive : '?');
    if (!validDrive(drive) || !pid || !vid || pidSize <= 0 || vidSize <= 0)
        return logged(line, standin::kErrArgument);
    std::map<std::string, std::string> keys;
    if (!readDescription(drive, keys))
        return logged(line, standin::kErrNoDevice);
    const int forced = intKey(keys, "pidvid_error", 0);
    if (forced != 0)
        return logged(line, forced);
    copyOut(textKey(keys, "pid"), pid, pidSize);
    copyOut(textKey(keys, "vid"), vid, vidSize);
    return logged(line, standin::kOk);
}

STANDIN_EXPORT int JL_upgradeDevice(char drive, unsigned char arg1, unsigned char arg2,
                                    JL_ProgressCallback progress)
{
    std::ostringstream line;
    line << "JL_upgradeDevice " << (validDrive(drive) ? drive : '?') << ' ' << int(arg1) << ' '
         << int(arg2);
    if (!validDrive(drive))
        return logged(line, standin::kErrArgument);
    std::map<std::string, std::string> keys;
    if (!readDescription(drive, keys))
        return logged(line, standin::kErrNoDevice);

    std::vector<uint8_t> image;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        if (!g_imageValid)
            return logged(line, standin::kErrNoImage);
        if (g_imageInfo.pid != textKey(keys, "pid"))
            return logged(line, standin::kErrMismatch);
        image = g_image;
    }

    const int failAt = intKey(keys, "fail_at", -1);
    const int finalResult = intKey(keys, "result", standin::kOk);
    const fs::path folder = driveFolder(drive);
    const fs::path partial = folder / "firmware.part";
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    if (!out)
        return logged(line, standin::kErrWrite);

    // Twenty blocks, progress reported before the first and after each one.
    const std::size_t blocks = 20;
    const std::size_t blockSize = (image.size() + blocks - 1) / blocks;
    for (std::size_t i = 0; i <= blocks; ++i) {
        const int percent = int(i * 100 / blocks);
        if (failAt >= 0 && percent > failAt)
            return logged(line, standin::kErrInterrupted);
        if (progress)
            progress(static_cast<unsigned char>(percent));
        if (i < blocks) {
            const std::size_t from = std::min(image.size(), i * blockSize);
            const std::size_t to = std::min(image.size(), from + blockSize);
            out.write(reinterpret_cast<const char *>(image.data() + from), std::streamsize(to - from));
        }
    }
    out.close();
    if (!out)
        return logged(line, standin::kErrWrite);
    if (finalResult != standin::kOk)
        return logged(line, finalResult);
    std::error_code ec;
    fs::rename(partial, folder / standin::kInstalledImageFile, ec);
    if (ec)
        return logged(line, standin::kErrWrite);
    return logged(line, standin::kOk);
}

// The by-path variants and the PC-mode settings are part of the library's
// interface but are not used; they answer "unsupported".
STANDIN_EXPORT int JL_upgradeDeviceByPath(const char *, unsigned char, unsigned char, JL_ProgressCallback)
{
    std::ostringstream line;
    line << "JL_upgradeDeviceByPath";
    return logged(line, standin::kErrUnsupported);
}

STANDIN_EXPORT int JL_queryDevicePidVidByPath(const char *, char *, int, char *, int)
{
    std::ostringstream line;
    line << "JL_queryDevicePidVidByPath";
    return logged(line, standin::kErrUnsupported);
}

STANDIN_EXPORT int JL_clearPcModeName(void)
{
    std::ostringstream line;
    line << "JL_clearPcModeName";
    return logged(line, standin::kErrUnsupported);
}

STANDIN_EXPORT int JL_setPcModeWaitTime(int)
{
    std::ostringstream line;
    line << "JL_setPcModeWaitTime";
    return logged(line, standin::kErrUnsupported);
}

STANDIN_EXPORT int JL_addPcModeName(const char *)
{
    std::ostringstream line;
    line << "JL_addPcModeName";
    return logged(line, standin::kErrUnsupported);
}

STANDIN_EXPORT int JL_queryDeviceDescByPath(const char *, char *, int)
{
    std::ostringstream line;
    line << "JL_queryDeviceDescByPath";
    return logged(line, standin::kErrUnsupported);
}
