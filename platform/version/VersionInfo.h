// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The Windows version functions, over the version resource that the build
// embeds in a section of the program file. The resource keeps the Windows
// layout, so the queries and their results are those of the Windows calls.

// The number of bytes GetFileVersionInfoA needs for the file's version data;
// 0 when the file cannot be read or has no readable version resource.
std::uint32_t GetFileVersionInfoSizeA(const QString &fileName, std::uint32_t *handle);

// Fills `data` (of `size` bytes) with the file's version data. False, with
// the data cleared, when the file has none or it does not fit.
bool GetFileVersionInfoA(const QString &fileName, std::uint32_t handle, std::uint32_t size, void *data);

// Points `buffer` at the value a sub-block path names inside data filled by
// GetFileVersionInfoA, and sets `length`: bytes for a binary value, characters
// with the terminating zero for a text, which is handed out as zero-terminated
// Windows-1252 text. Empty path parts are skipped, so doubled separators act
// as single ones. False, with a null pointer and length 0, when not found.
bool VerQueryValueA(void *block, const QString &subBlock, void **buffer, std::uint32_t *length);

namespace VersionInfo {

// The section of the program file that holds its version resource.
inline constexpr char SectionName[] = ".versioninfo";

// The version resource of an ELF file image; nothing when there is none or
// its root cannot be read.
std::optional<std::vector<std::uint8_t>> resourceOfImage(std::span<const std::uint8_t> image);

// The version resource of the file at a path, read from disk.
std::optional<std::vector<std::uint8_t>> resourceOfFile(const QString &fileName);

// The version data GetFileVersionInfoA hands out for a resource: the
// resource itself, followed by as much room again, where VerQueryValueA
// keeps the 8-bit copies of the texts it is asked for.
std::vector<std::uint8_t> dataOf(std::span<const std::uint8_t> resource);

} // namespace VersionInfo
