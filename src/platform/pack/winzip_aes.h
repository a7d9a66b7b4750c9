#pragma once
// AES-256 encryption of one ZIP entry in the WinZip AE-1/AE-2 format: salt (16 bytes), password
// verifier (2), the data in counter mode with a little-endian block counter starting at 1, and
// the first 10 bytes of an HMAC-SHA1 of the encrypted data. Keys come from the password and the
// salt by PBKDF2-HMAC-SHA1 with 1000 rounds.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t aesSaltSize = 16;
constexpr std::size_t aesOverhead = aesSaltSize + 2 + 10; // salt, verifier, authentication code

// A salt that depends only on the password, the entry's name and its (compressed) content.
std::vector<std::uint8_t> deriveEntrySalt(const std::string& password, std::string_view name,
                                          const std::vector<std::uint8_t>& content);

// salt + verifier + encrypted data + authentication code; empty on a crypto library failure.
std::vector<std::uint8_t> encryptEntry(const std::string& password,
                                       const std::vector<std::uint8_t>& salt,
                                       const std::vector<std::uint8_t>& data);
