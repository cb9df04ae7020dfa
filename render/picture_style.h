// The colours of the picture's marks, one name each, for the views that draw them and the
// legend that shows a sample of each.
#pragma once

constexpr const char* kRouteColour = "#1f3b73";
constexpr const char* kSignalColour = "#c0392b";
constexpr const char* kStartColour = "#2e8b57";
constexpr const char* kEndColour = "#b22222";
constexpr const char* kRunOutColour = "#8a94a6";
constexpr const char* kStationColour = "#111";
constexpr const char* kStationLineColour = "#9aa";
constexpr const char* kStopCellColour = "#245";
constexpr const char* kSpeedColour = "#1f5fbf";
constexpr const char* kSpeedBoardColour = "#0b2e6b";
constexpr const char* kSlowdownColour = "#d62728";
constexpr const char* kWarningBoardFill = "#ffd23f";
constexpr const char* kCutColour = "#e67e22";
constexpr const char* kGradientColour = "#8b5a2b";
constexpr const char* kMountainFill = "#ead7bd";
constexpr const char* kAdhesionColour = "#2e8b57";
constexpr const char* kIndicatorBoardColour = "#3b6fb6";
constexpr const char* kModelledColour = "#7b3fa0";
constexpr const char* kLineSpeedRunColour = "#8a8f98";
constexpr const char* kScheduledColour = "#111";
constexpr const char* kLateColour = "#d62728";
