#pragma once
// The program's per-user registry key (HKEY_CURRENT_USER\SOFTWARE\QxKB) behind a seam, so the
// language, device-type and profile rules run the same against the real registry and a test one.
#include <cstddef>
#include <string>

namespace qx {

// Win32 error codes the callers tell apart; every other failure is "some other error".
constexpr long kRegOk = 0;
constexpr long kRegFileNotFound = 2;   // ERROR_FILE_NOT_FOUND
constexpr long kRegMoreData = 234;     // ERROR_MORE_DATA

class AppRegistry {
public:
    virtual ~AppRegistry() = default;

    // Opens the application key with full access. Returns kRegOk, kRegFileNotFound or another code.
    virtual long OpenKey() = 0;
    // Creates (or opens) the application key and leaves it closed again. Returns kRegOk on success.
    virtual long CreateKey() = 0;
    // Reads a REG_SZ value of the open key, at most maxBytes bytes of data. An empty name reads the
    // key's unnamed default value. On kRegOk, text holds the value up to its first zero character;
    // a value of another type reads as empty text. Any failure leaves text empty.
    virtual long QueryText(const std::wstring& name, std::size_t maxBytes, std::wstring& text) = 0;
    // Writes text as REG_SZ with its terminating zero into the open key.
    virtual long SetText(const std::wstring& name, const std::wstring& text) = 0;
    // Closes the key opened by OpenKey; harmless when nothing is open.
    virtual void CloseKey() = 0;
};

// Decimal text to int the way the C runtime's _wtoi reads it: leading white space, an optional
// sign, then digits; anything else ends the number; no digits gives 0. Out-of-range values clamp.
int DecimalTextToInt(const std::wstring& text);

// Reads a decimal REG_SZ value as the program stores them: key opened, value read into a zeroed
// 512-byte buffer with at most 255 bytes of data, converted like _wtoi. Missing key, missing value,
// other types or non-numeric text all give 0.
int ReadDecimalValue(AppRegistry& registry, const std::wstring& name);

// Writes value as decimal text ("%d") when the key can be opened; does nothing otherwise.
void WriteDecimalValue(AppRegistry& registry, const std::wstring& name, int value);

}  // namespace qx
