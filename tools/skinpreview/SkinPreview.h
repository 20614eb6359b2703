#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "uikit/draw/Canvas.h"

// Renders one skin file as it would look in a window, without a display: the file is built on
// the headless window system, laid out at its window size (or the size asked for), painted, and
// framed by its drop shadow when the window has one.
struct PreviewSetting {
    std::u16string control;  // a control name in the built tree
    std::u16string attribute;
    std::u16string value;
};

struct PreviewRequest {
    std::u16string file;  // skin file name, e.g. "MainWnd.xml"
    int width = 0;        // 0: the window's "size", else the root's fixed size
    int height = 0;
    std::vector<PreviewSetting> settings;  // applied after the build, in order
    // Item files are built into a container, as item controls build them into themselves.
    bool asItem = false;
    // Controls whose places the caller wants to know (for pixel checks).
    std::vector<std::u16string> probes;
    // False: no drop shadow around the canvas, so places are the window's client points.
    bool framed = true;
};

struct PreviewResult {
    std::unique_ptr<uikit::Canvas> canvas;  // null, with `error` set, when the file does not build
    std::string error;
    std::map<std::u16string, uikit::Rect> places;  // each probe's rectangle on the canvas
};

PreviewResult RenderSkinPreview(const PreviewRequest& request);

// Reads "CONTROL.ATTRIBUTE=VALUE"; false when the text has no such shape.
bool ParsePreviewSetting(const std::string& text, PreviewSetting& setting);
