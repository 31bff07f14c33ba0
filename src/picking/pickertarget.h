#pragma once

// Which colour a screen pick replaces.
enum class PickerTarget { foreground, background };
