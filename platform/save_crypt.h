#pragma once
// Sealing of save files: the text is encrypted and authenticated, so a file
// changed or damaged outside the game is recognised and set aside.
//
// Layout: "JSCH", version byte 1, 24-byte nonce, 16-byte tag, then the
// cipher text, exactly as long as the plain text (45 bytes of header).
#include <string>

namespace platform {

// The sealed form of plain, with a fresh nonce on every call.
std::string saveEncrypt(const std::string& plain);

// 0: intact, *out holds the plain text; 1: sealed is empty; 2: damaged
// (too short, wrong magic or version, or the tag does not match).
// out may be null; otherwise it is cleared first and filled only on 0.
int saveDecrypt(const std::string& sealed, std::string* out);

// At least a header long and starting with the magic; version and tag are
// not checked.
bool looksSealed(const std::string& data);

} // namespace platform
