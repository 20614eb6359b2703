#pragma once

#include <cstdint>
#include <string>

#include "engine/DlEngine.h"
#include "platform/Clock.h"

// The texts a download row shows, made from what the engine reports.
namespace DownEngine {

// "下载中...46%": the progress fraction as a whole percent.
std::u16string DownloadingText(float progress);

// The status text's tooltip while downloading, for example
// "3.2 MB/s · 412 MB / 1.2 GB · 剩余 4分12秒"; parts the engine cannot tell yet are left out.
std::u16string ProgressTip(const EngineTaskReport& report);

// Why a download failed, in plain words, from the engine's error code and HTTP status.
std::u16string FailureReason(int32_t errorCode, int32_t httpStatus);

// The load time as a row shows and the record keeps it: 2023-08-04 09:05:07.
std::u16string LoadTimeText(const platform::LocalTime& time);

// The skin path of a row's logo for a game identifier; games without a logo get the folder
// alone, which names no image.
std::u16string RowLogo(int32_t type);

}  // namespace DownEngine
