// The difference between two versions of a text file as a unified diff, the form `diff -u` prints
// and `patch` reads, so that a dry run shows exactly which lines an edit would add or remove.
#pragma once

#include <string>
#include <string_view>

namespace ql2 {

// The unified diff turning `before` into `after`: a "--- old_name" and a "+++ new_name" line, then
// one "@@ -l,n +l,n @@" hunk per group of changes with up to `context` unchanged lines around it
// (",1" counts are left out, as diff does). Empty when the bytes are equal.
// Lines end at CR LF, LF or CR; each line is printed as its text followed by "\n", and a line
// whose ending changed counts as changed (a CR LF file shows as LF text: `patch` applies the result
// to LF files only). A last line without an ending is followed by "\ No newline at end of file".
// The edit script is a shortest one (Myers' O(ND) algorithm in linear space), so a few lines
// inserted into a large file cost little more than reading it.
std::string UnifiedDiff(std::string_view old_name, std::string_view new_name,
                        std::string_view before, std::string_view after, int context = 3);

}  // namespace ql2
