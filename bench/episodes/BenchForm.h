// A form started on the generated data, in the data folder itself, whose
// frames a benchmark draws one at a time as the shell would: clear, the
// episode's frame, present.
#pragma once

#include <filesystem>
#include <memory>

#include "app/Form.h"
#include "display/DXDraw.h"
#include "display/DXTimer.h"
#include "display/Drawing.h"
#include "display/Surface.h"
#include "platform/headless/HeadlessPlatform.h"

namespace ik {

struct BenchForm {
    BenchForm() {
        std::filesystem::current_path(IK_DATA_DIR);
        FormOptions options;
        options.scoresDir = std::filesystem::temp_directory_path().string();
        options.libraryDir = IK_LIBRARY_DIR;
        options.seedGiven = true;
        options.seed = 1;
        form = std::make_unique<TForm1>(platform, options);
        form->FormCreate();
        form->Show();
        form->DXTimer1->Enabled = false;
    }
    void frame(void (TForm1::*episode)()) {
        FillSurface(form->DXDraw1->Surface(), 0);
        if (episode) (form.get()->*episode)();
        form->DXDraw1->Flip();
    }
    HeadlessPlatform platform;
    std::unique_ptr<TForm1> form;
};

}  // namespace ik
