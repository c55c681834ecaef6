#pragma once
// Merge files: the text of every file in a folder tree, breadth first, into
// one output file.

#include <vector>

#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"

namespace mirelant::ops {

// Click side of 按钮_合并文本: the input path only. The worker asks for the
// output file, then visits the folder named by the input path ("无法读取文件夹："
// and the path when it is not a folder that can be listed) breadth first:
// folders in the order the file system lists them, each folder's files in
// that order, every file whatever its name. Each file's text (its bytes up to
// the first NUL) is appended with nothing in between, and the output is
// written once at the end, so it is never merged into itself. Links to folders
// are not entered; links to files are read like files. Only regular files are
// read (a pipe or a device could block or never end). Source files are never
// removed.
std::vector<Worker> PrepareMerge(Host& host);

}  // namespace mirelant::ops
