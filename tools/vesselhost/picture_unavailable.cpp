// RenderPicture for a build without Cairo (the Windows cross build): the picture is
// refused with the reason, and no file is written.
#include "tools/vesselhost/picture.h"

#include "host/base/host_error.h"

namespace vesselhost {

void RenderPicture(const std::vector<const host::Vessel *> & /*vessels*/, output::OutputFile &file,
                   const std::function<void(const char *, double)> & /*progress*/)
{
    throw host::Error(file.Path() +
                      ": pictures are drawn with Cairo, which this build of vesselhost "
                      "does not have");
}

} // namespace vesselhost
