// Writes or inspects firmware images of the stand-in's format.
//
//   ufwtool write --pid P --vid V --version N [--payload FILE | --size BYTES] -o OUT
//   ufwtool info FILE
//
// Without --payload the payload is BYTES (default 4096) of a fixed pattern.

#include "ufwimage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::cerr << "usage: ufwtool write --pid P --vid V --version N [--payload FILE | --size BYTES] -o OUT\n"
                 "       ufwtool info FILE\n";
    return 2;
}

bool readFile(const std::string &path, std::vector<uint8_t> &bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool parseNumber(const char *text, unsigned long &value)
{
    char *end = nullptr;
    value = std::strtoul(text, &end, 10);
    return end && *end == '\0' && end != text;
}

int writeImage(int argc, char **argv)
{
    std::string pid, vid, payloadPath, out;
    unsigned long version = 0, size = 4096;
    bool haveVersion = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return usage();
        const char *value = argv[++i];
        if (arg == "--pid")
            pid = value;
        else if (arg == "--vid")
            vid = value;
        else if (arg == "--version")
            haveVersion = parseNumber(value, version);
        else if (arg == "--payload")
            payloadPath = value;
        else if (arg == "--size") {
            if (!parseNumber(value, size))
                return usage();
        } else if (arg == "-o")
            out = value;
        else
            return usage();
    }
    if (out.empty() || !haveVersion || version > 0xFFFFFFFFul)
        return usage();
    if (pid.size() > ufw::kMaxIdLength || vid.size() > ufw::kMaxIdLength) {
        std::cerr << "ufwtool: PID and VID hold at most " << ufw::kMaxIdLength << " characters\n";
        return 1;
    }

    std::vector<uint8_t> payload;
    if (!payloadPath.empty()) {
        if (!readFile(payloadPath, payload)) {
            std::cerr << "ufwtool: cannot read " << payloadPath << '\n';
            return 1;
        }
    } else {
        payload.resize(size);
        for (std::size_t i = 0; i < payload.size(); ++i)
            payload[i] = uint8_t(i * 7 + 3);
    }

    const std::vector<uint8_t> image = ufw::buildImage(pid, vid, uint32_t(version), payload);
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(image.data()), std::streamsize(image.size()));
    file.close();
    if (!file) {
        std::cerr << "ufwtool: cannot write " << out << '\n';
        return 1;
    }
    return 0;
}

int showInfo(const char *path)
{
    std::vector<uint8_t> bytes;
    if (!readFile(path, bytes)) {
        std::cerr << "ufwtool: cannot read " << path << '\n';
        return 1;
    }
    ufw::ImageInfo info;
    const ufw::Check check = ufw::verifyImage(bytes.data(), bytes.size(), info);
    std::cout << "pid=" << info.pid << "\nvid=" << info.vid << "\nversion=" << info.version
              << "\npayload=" << info.payloadLength << "\ncheck=" << ufw::checkText(check) << '\n';
    return check == ufw::Check::Ok ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "write") == 0)
        return writeImage(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "info") == 0)
        return showInfo(argv[2]);
    return usage();
}
