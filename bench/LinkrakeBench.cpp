// Measures a whole default run of linkrake-cli against a ripgrep pipeline that lists the same
// kinds of link, on corpora it writes itself into a temporary folder and removes afterwards.
//
//   linkrake_bench [--sizes 10,100,300,1000] [--runs 3] [--dir FOLDER] [--cli PATH]
//
// Sizes are in MB (1,000,000 bytes). Each figure is the best of the runs, from a warm cache.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BenchCorpus.h"
#include "BenchProcess.h"
#include "BenchStages.h"

namespace linkrake::bench {
namespace {

constexpr double kMB = 1e6;

struct Settings {
  std::vector<std::uint64_t> sizesMB = {10, 100, 300, 1000};
  int runs = 3;
  std::string dir;
  std::string cli = LINKRAKE_CLI_PATH;
};

ProcessRun Best(const std::vector<std::string>& argv, const std::string& out, int runs) {
  ProcessRun best;
  for (int i = 0; i < runs; ++i) {
    const ProcessRun run = RunProcess(argv, out);
    if (!run.ok) return run;
    if (!best.ok || run.seconds < best.seconds) best = run;
  }
  return best;
}

std::uint64_t LineCount(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return 0;
  std::uint64_t lines = 0;
  std::vector<char> buffer(1 << 20);
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), file)) > 0;) {
    lines += static_cast<std::uint64_t>(std::count(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n), '\n'));
  }
  std::fclose(file);
  return lines;
}

int Run(const Settings& settings) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::path(settings.dir) / "linkrake-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    std::fprintf(stderr, "linkrake_bench: cannot create a folder in %s\n", settings.dir.c_str());
    return 1;
  }
  const fs::path folder = pattern;
  const std::string corpus = (folder / "corpus").string();
  const std::string out = (folder / "out").string();
  const std::string rgScript =
      "rg -o -e '<a href=\"[^\"]*' -e 'http://[^ \"]*' -e 'ftp://[^ \"]*' \"$1\" | LC_ALL=C sort -u";

  std::printf("| corpus | size (MB) | linkrake-cli (s) | MB/s | peak memory (MiB) | links listed |"
              " rg pipeline (s) | MB/s | ratio | lines (s) | scan (s) | sort (s) | unique (s) |"
              " write (s) | links found |\n");
  std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
  int status = 0;
  for (const CorpusKind kind : {CorpusKind::Html, CorpusKind::SparseText}) {
    for (const std::uint64_t sizeMB : settings.sizesMB) {
      if (!WriteCorpus(corpus, kind, sizeMB * 1000000)) {
        std::fprintf(stderr, "linkrake_bench: cannot write the corpus (disk full?)\n");
        status = 1;
        break;
      }
      const double mb = static_cast<double>(fs::file_size(corpus)) / kMB;
      const ProcessRun engine = Best({settings.cli, corpus}, out, settings.runs);
      const std::uint64_t listed = LineCount(out);
      const ProcessRun rg = Best({"/bin/sh", "-c", rgScript, "sh", corpus}, out, settings.runs);
      const StageTimes stages = TimeStages(corpus);
      if (!engine.ok || !rg.ok) {
        std::fprintf(stderr, "linkrake_bench: a run failed (%s)\n", engine.ok ? "rg" : "linkrake-cli");
        status = 1;
      }
      std::printf("| %s | %.0f | %.3f | %.0f | %.1f | %llu | %.3f | %.0f | %.2f | %.3f | %.3f |"
                  " %.3f | %.3f | %.3f | %zu |\n",
                  CorpusName(kind), mb, engine.seconds, mb / engine.seconds,
                  static_cast<double>(engine.peakKiB) / 1024.0,
                  static_cast<unsigned long long>(listed), rg.seconds, mb / rg.seconds,
                  rg.seconds / engine.seconds, stages.lines, stages.scan, stages.sort,
                  stages.unique, stages.write, stages.links);
      std::fflush(stdout);
      fs::remove(corpus);
      fs::remove(out);
    }
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return status;
}

}  // namespace
}  // namespace linkrake::bench

int main(int argc, char** argv) {
  linkrake::bench::Settings settings;
  const char* tmp = std::getenv("TMPDIR");
  settings.dir = tmp && *tmp ? tmp : "/tmp";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--sizes" && hasValue) {
      settings.sizesMB.clear();
      std::stringstream list(argv[++i]);
      for (std::string item; std::getline(list, item, ',');) settings.sizesMB.push_back(std::stoull(item));
    } else if (arg == "--runs" && hasValue) {
      settings.runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--dir" && hasValue) {
      settings.dir = argv[++i];
    } else if (arg == "--cli" && hasValue) {
      settings.cli = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: linkrake_bench [--sizes MB,MB,...] [--runs N] [--dir FOLDER] [--cli PATH]\n");
      return 2;
    }
  }
  return linkrake::bench::Run(settings);
}
