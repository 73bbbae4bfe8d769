// The graphic of one picture item, read from its "Data" block: a class name
// ("TDIB", "TBitmap", ...) and that graphic's bytes.
#pragma once

#include <memory>
#include <string>

#include "assets/Dib.h"
#include "assets/Persistent.h"
#include "assets/Stream.h"

namespace ik {

class TPicture : public TPersistent {
public:
    std::string ClassName() const override { return "TPicture"; }
    void CustomProperties(TReader& reader) override;

    // Reads a "Data" block. Unknown classes, "TIcon" and "TMetafile" leave
    // the picture empty.
    void ReadData(TStream& stream);
    void Assign(const TPicture* other);
    void Clear();

    // The bitmap, or null when the picture is empty.
    const std::shared_ptr<TDib>& Graphic() const { return graphic_; }
    // The class the graphic was stored as; empty for an empty picture.
    const std::string& GraphicClass() const { return graphicClass_; }
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

private:
    std::shared_ptr<TDib> graphic_;
    std::string graphicClass_;
};

}  // namespace ik
