#pragma once
// The DISPIDs the control's setters name in their host notifications. The automation table
// gives these properties the same constants, so each DISPID is written once.
#include "platform/com/host_observer.h"

namespace linnet {

inline constexpr DISPID kDispAutoSize = -500;
inline constexpr DISPID kDispBackColor = -501;
inline constexpr DISPID kDispBorderColor = -503;
inline constexpr DISPID kDispBorderStyle = -504;
inline constexpr DISPID kDispBorderWidth = -505;
inline constexpr DISPID kDispFont = -512;
inline constexpr DISPID kDispForeColor = -513;
inline constexpr DISPID kDispEnabled = -514;
inline constexpr DISPID kDispComment = 0xC8;
inline constexpr DISPID kDispCommentAlignment = 0xCA;
inline constexpr DISPID kDispMeasurement = 0xF3;
inline constexpr DISPID kDispMessage = 0xF4;
inline constexpr DISPID kDispZoomRatio = 0x144;

}  // namespace linnet
