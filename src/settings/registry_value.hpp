// A registry value as the registry keeps it: a type number and the raw data bytes.
#pragma once

#include <cstdint>
#include <vector>

#if defined(_WIN32)
#include <windows.h>  // the registry's own header, which defines the type numbers as macros
#endif

namespace velmora {

using RegistryValueType = std::uint32_t;

#if !defined(_WIN32)
inline constexpr RegistryValueType REG_NONE = 0;
inline constexpr RegistryValueType REG_SZ = 1;
inline constexpr RegistryValueType REG_EXPAND_SZ = 2;
inline constexpr RegistryValueType REG_BINARY = 3;
inline constexpr RegistryValueType REG_DWORD = 4;
inline constexpr RegistryValueType REG_DWORD_BIG_ENDIAN = 5;
inline constexpr RegistryValueType REG_LINK = 6;
inline constexpr RegistryValueType REG_MULTI_SZ = 7;
inline constexpr RegistryValueType REG_RESOURCE_LIST = 8;
inline constexpr RegistryValueType REG_FULL_RESOURCE_DESCRIPTOR = 9;
inline constexpr RegistryValueType REG_RESOURCE_REQUIREMENTS_LIST = 10;
inline constexpr RegistryValueType REG_QWORD = 11;
#endif

struct RegistryValue {
    RegistryValueType type = REG_NONE;
    std::vector<std::uint8_t> data;

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

}  // namespace velmora
