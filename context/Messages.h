#pragma once

#include <cstdint>

// Window messages posted to the main window (WM_USER + offset).
constexpr uint32_t WM_USER_BASE = 1024;
constexpr uint32_t MSG_ACTIVATE_INSTANCE = WM_USER_BASE + 100;
constexpr uint32_t MSG_EXIT_APP = WM_USER_BASE + 101;
constexpr uint32_t MSG_INIT_PARAMS_LOADED = WM_USER_BASE + 116;
constexpr uint32_t MSG_SHOW_GAME_DETAIL = WM_USER_BASE + 119;
constexpr uint32_t MSG_CATALOG_LOADED = WM_USER_BASE + 120;
constexpr uint32_t MSG_MENU_COMMAND = WM_USER_BASE + 121;
constexpr uint32_t MSG_ORDERS_LOADED = WM_USER_BASE + 122;
// The catalogue or the orders call could not reach the server: the page offers to try again.
constexpr uint32_t MSG_CATALOG_FAILED = WM_USER_BASE + 123;
constexpr uint32_t MSG_ORDERS_FAILED = WM_USER_BASE + 124;
constexpr uint32_t MSG_START_DOWNLOADS = WM_USER_BASE + 127;
