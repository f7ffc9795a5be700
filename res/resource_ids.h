#pragma once
// vorlexi's own resource, control and command ids.

#include "framework_ids.h"

inline constexpr platform::UINT IDR_MAINFRAME = 128;
inline constexpr platform::UINT IDD_ABOUTBOX = 100;
inline constexpr platform::UINT IDD_PARAMS = 130;
inline constexpr platform::UINT VS_VERSION_INFO = 1;

inline constexpr int IDC_SAMPLE_FREQ = 1000;
inline constexpr int IDC_GAIN = 1001;
inline constexpr int IDC_EXTRA_ZERO = 1003;
inline constexpr int IDC_ZERO_FREQ = 1004;
inline constexpr int IDC_INVERSE = 1005;

inline constexpr platform::UINT ID_CALC_FILTER = 32771;
