#pragma once

// The codes that tie a mode-tree entry to its practice page: each entry and
// its page carry the same code.
namespace ModeCodes {

inline constexpr int fenLei = 201;    // 分类练习
inline constexpr int sunxu = 202;     // 顺序练习
inline constexpr int zhongdian = 203; // 重点练习
inline constexpr int moNi = 204;      // 模拟考试

} // namespace ModeCodes
