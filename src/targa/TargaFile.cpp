#include "targa/TargaFile.h"

namespace targa {

void Input::Release()
{
    platform::Release(file_.data() + released_, file_.data() + at_);
    released_ = at_;
}

FileBytes::FileBytes(const std::string& path, std::string& error) { platform::Open(path, file_, error); }

FileBytes::~FileBytes() { platform::Unmap(file_); }

} // namespace targa
