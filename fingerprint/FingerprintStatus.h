#pragma once
// Status codes of the reader adapter's own failures. Zero and positive values
// are success. The engine's negative results (extraction, preparation,
// matching) are handed on unchanged; the adapter's own codes start at -100.

namespace FingerprintStatus {

inline constexpr int Ok = 0;
inline constexpr int NotInitialised = -100;      // operation before initialise()
inline constexpr int ReaderLibraryFailed = -101; // the reader library could not start
inline constexpr int InvalidImage = -102;        // size and pixel count disagree
inline constexpr int TemplateTooLarge = -103;    // more bytes than the template capacity
inline constexpr int EmptyTemplate = -104;       // nothing to prepare or to match against

} // namespace FingerprintStatus
