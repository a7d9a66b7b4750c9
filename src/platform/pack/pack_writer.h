#pragma once
// Writes resource packs: ZIP archives whose entries are deflated and then encrypted with
// AES-256 in the WinZip AE format, which the reader (libzip) opens with the password.
//
// The same entries and password always give the same bytes: entries are written in name order
// with a fixed timestamp, and each entry's salt is derived from the password, its name and its
// content instead of being random. A salt is never reused for different content under one
// password, which is what the counter-mode encryption needs.

#include <cstdint>
#include <string>
#include <vector>

struct PackEntry {
    std::string name; // relative, forward slashes ("graphics/font.fnt")
    std::vector<std::uint8_t> bytes;
};

// The whole archive in memory. False (and error set) when an entry name is empty, absolute,
// uses a backslash, repeats another name in any letter case, or the archive would be too big
// for a plain ZIP file.
bool buildPack(std::vector<PackEntry> entries, const std::string& password,
               std::vector<std::uint8_t>* archive, std::string* error);

// buildPack, then writes the archive to file through a temporary file and a rename, so a
// failed run never leaves a half-written pack behind.
bool writePack(const std::string& file, std::vector<PackEntry> entries, const std::string& password,
               std::string* error);

// Every regular file below folder as an entry named by its path relative to folder, in name
// order. False (and error set) when the folder cannot be read.
bool readFolderEntries(const std::string& folder, std::vector<PackEntry>* entries,
                       std::string* error);
