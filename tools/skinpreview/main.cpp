// kavrin-skin-preview FILE OUT.png [--size WxH] [--item] [CONTROL.ATTRIBUTE=VALUE ...]
//
// Writes a PNG of one skin file as its window would show it, with its drop shadow. Settings
// fill the controls with sample content (texts, images) the program would put there.
#include <cstdio>
#include <cstring>
#include <string>

#include "common/TextConvert.h"
#include "tools/skinpreview/SkinPreview.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: kavrin-skin-preview FILE OUT.png [--size WxH] [--item] "
                     "[CONTROL.ATTRIBUTE=VALUE ...]\n");
        return 2;
    }
    PreviewRequest request;
    request.file = AnsiToUtf16(argv[1]);
    for (int i = 3; i < argc; ++i) {
        PreviewSetting setting;
        if (std::strcmp(argv[i], "--item") == 0) {
            request.asItem = true;
        } else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc &&
                   std::sscanf(argv[i + 1], "%dx%d", &request.width, &request.height) == 2) {
            ++i;
        } else if (ParsePreviewSetting(argv[i], setting)) {
            request.settings.push_back(setting);
        } else {
            std::fprintf(stderr, "kavrin-skin-preview: cannot read %s\n", argv[i]);
            return 2;
        }
    }
    const PreviewResult preview = RenderSkinPreview(request);
    if (!preview.canvas) {
        std::fprintf(stderr, "kavrin-skin-preview: %s\n", preview.error.c_str());
        return 1;
    }
    if (!preview.canvas->WritePng(argv[2])) {
        std::fprintf(stderr, "kavrin-skin-preview: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
