#include "platform/pack/pack_writer.h"

#include "platform/pack/winzip_aes.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

constexpr std::uint16_t versionNeeded = 51;     // 5.1: AES encryption
constexpr std::uint16_t versionMadeBy = 0x0333; // Unix, 5.1
constexpr std::uint16_t flagEncrypted = 1;
constexpr std::uint16_t methodAes = 99;
constexpr std::uint16_t methodDeflate = 8;
constexpr std::uint16_t dosTime = 0;      // 00:00:00
constexpr std::uint16_t dosDate = 0x0021; // 1980-01-01, the earliest ZIP date
constexpr std::uint32_t fileMode = 0100644u;
constexpr std::uint16_t extraSize = 11;
constexpr std::uint64_t zipLimit = 0xFFFFFFFFu; // beyond this a plain ZIP needs ZIP64

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// Entries under 20 bytes are AE-2 (no CRC, which would give away such short contents); longer
// ones AE-1 with the CRC, as WinZip writes them. libzip insists on the CRC from 20 bytes on.
constexpr std::size_t smallEntry = 20;

// The AES extra field: vendor version 1 or 2, vendor "AE", strength 3 (AES-256), real method.
void putAesExtra(std::vector<std::uint8_t>& out, std::uint32_t size) {
    put16(out, 0x9901);
    put16(out, 7);
    put16(out, size < smallEntry ? 2 : 1);
    out.push_back('A');
    out.push_back('E');
    out.push_back(3);
    put16(out, methodDeflate);
}

// Raw deflate at the best compression; deterministic for a given zlib.
bool deflateBytes(const std::vector<std::uint8_t>& in, std::vector<std::uint8_t>* out) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        return false;
    }
    out->resize(deflateBound(&z, static_cast<uLong>(in.size())));
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out->data();
    z.avail_out = static_cast<uInt>(out->size());
    const int result = deflate(&z, Z_FINISH);
    out->resize(z.total_out);
    deflateEnd(&z);
    return result == Z_STREAM_END;
}

struct Written {
    std::string name;
    std::uint32_t compressed = 0, size = 0, offset = 0, crc = 0;
};

void putHeaderFields(std::vector<std::uint8_t>& out, const Written& w) {
    put16(out, versionNeeded);
    put16(out, flagEncrypted);
    put16(out, methodAes);
    put16(out, dosTime);
    put16(out, dosDate);
    put32(out, w.size < smallEntry ? 0 : w.crc);
    put32(out, w.compressed);
    put32(out, w.size);
    put16(out, static_cast<std::uint32_t>(w.name.size()));
    put16(out, extraSize);
}

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool checkNames(const std::vector<PackEntry>& entries, std::string* error) {
    std::set<std::string> seen;
    for (const PackEntry& e : entries) {
        const bool bad = e.name.empty() || e.name.front() == '/' || e.name.back() == '/' ||
                         e.name.find('\\') != std::string::npos || e.name.size() > 0xFFFF;
        if (bad) {
            *error = "bad entry name \"" + e.name + "\"";
            return false;
        }
        // The game looks entries up ignoring case, so such names could never both be found.
        if (!seen.insert(lowerCase(e.name)).second) {
            *error = "entry names differ only in letter case: \"" + e.name + "\"";
            return false;
        }
    }
    return true;
}

} // namespace

bool buildPack(std::vector<PackEntry> entries, const std::string& password,
               std::vector<std::uint8_t>* archive, std::string* error) {
    std::string ignored;
    error = error != nullptr ? error : &ignored;
    std::sort(entries.begin(), entries.end(),
              [](const PackEntry& a, const PackEntry& b) { return a.name < b.name; });
    if (!checkNames(entries, error)) {
        return false;
    }
    if (entries.size() >= 0xFFFF) {
        *error = "too many entries for one pack";
        return false;
    }
    std::vector<std::uint8_t>& out = *archive;
    out.clear();
    std::vector<Written> written;
    for (const PackEntry& e : entries) {
        std::vector<std::uint8_t> packed;
        if (e.bytes.size() >= zipLimit || !deflateBytes(e.bytes, &packed)) {
            *error = "cannot compress \"" + e.name + "\"";
            return false;
        }
        const auto sealed =
            encryptEntry(password, deriveEntrySalt(password, e.name, packed), packed);
        if (sealed.empty() || out.size() + sealed.size() + 64 + e.name.size() >= zipLimit) {
            *error = "cannot encrypt \"" + e.name + "\" or the pack is too big";
            return false;
        }
        Written w{e.name, static_cast<std::uint32_t>(sealed.size()),
                  static_cast<std::uint32_t>(e.bytes.size()),
                  static_cast<std::uint32_t>(out.size()),
                  static_cast<std::uint32_t>(
                      crc32(0, e.bytes.data(), static_cast<uInt>(e.bytes.size())))};
        put32(out, 0x04034b50);
        putHeaderFields(out, w);
        out.insert(out.end(), w.name.begin(), w.name.end());
        putAesExtra(out, w.size);
        out.insert(out.end(), sealed.begin(), sealed.end());
        written.push_back(std::move(w));
    }
    const std::size_t directoryStart = out.size();
    for (const Written& w : written) {
        put32(out, 0x02014b50);
        put16(out, versionMadeBy);
        putHeaderFields(out, w);
        put16(out, 0); // comment length
        put16(out, 0); // disk number
        put16(out, 0); // internal attributes
        put32(out, fileMode << 16);
        put32(out, w.offset);
        out.insert(out.end(), w.name.begin(), w.name.end());
        putAesExtra(out, w.size);
    }
    if (out.size() + 22 >= zipLimit) {
        *error = "the pack is too big";
        return false;
    }
    const auto count = static_cast<std::uint32_t>(written.size());
    put32(out, 0x06054b50);
    put16(out, 0); // this disk
    put16(out, 0); // disk of the directory
    put16(out, count);
    put16(out, count);
    put32(out, static_cast<std::uint32_t>(out.size() - 12 - directoryStart));
    put32(out, static_cast<std::uint32_t>(directoryStart));
    put16(out, 0); // comment length
    return true;
}

bool writePack(const std::string& file, std::vector<PackEntry> entries, const std::string& password,
               std::string* error) {
    std::string ignored;
    error = error != nullptr ? error : &ignored;
    std::vector<std::uint8_t> archive;
    if (!buildPack(std::move(entries), password, &archive, error)) {
        return false;
    }
    const std::string temporary = file + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(archive.data()),
                  static_cast<std::streamsize>(archive.size()));
        out.close();
        if (!out) {
            *error = "cannot write " + temporary;
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, file, ec);
    if (ec) {
        *error = "cannot rename " + temporary + " to " + file + ": " + ec.message();
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
