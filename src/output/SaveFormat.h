#pragma once
// The kinds of file File > Save as... can write, and how their lines end.
namespace linkrake {

enum class SaveFormat { PlainText, Html, DownloadList };

// Files always get CR LF; the command-line tool prints to standard output with LF.
enum class LineEnd { CrLf, Lf };

}  // namespace linkrake
