// tunepost-script: runs a formatting script the way the configuration dialog's Test
// button does, with the track's tag values given on the command line, and prints the text
// the Test message box would show.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "script/encoding.h"
#include "script/test_report.h"

namespace {

constexpr int kExitClean = 0;
constexpr int kExitDiagnostics = 1;
constexpr int kExitUsage = 2;

const char kHelp[] =
    "Usage: tunepost-script [--tag NAME=VALUE]... [--tags FILE] [--utf8]\n"
    "                       (SCRIPT | --default-script)\n"
    "\n"
    "Runs a Tunepost formatting script as the plug-in's Test button does and prints\n"
    "what its message box would show: the diagnostics (or the no-error line), then the\n"
    "results Status2, Status and Tray.\n"
    "\n"
    "  SCRIPT            the script file to run\n"
    "  --default-script  run the plug-in's built-in default script instead\n"
    "  --tag NAME=VALUE  the value of the tag NAME, seen by the script as TAGNAME;\n"
    "                    NAME is a row of the track table, letter case ignored:\n"
    "                    Artist Title Album Track Year Genre Comment Copy File\n"
    "                    PlayState ListPos Lenght Bitrate SysTime Status2 Status\n"
    "                    Samplerate Channels Dir1 Dir2 Path\n"
    "  --tags FILE       NAME=VALUE lines, one tag a line (empty lines are skipped)\n"
    "  --utf8            script, tag values and output are UTF-8 (default: code page\n"
    "                    1251, like the plug-in's own files)\n"
    "  --help            this text\n"
    "\n"
    "Tags given neither way are empty, except Status and Status2, which hold \"%Status\"\n"
    "and \"%Status2\" as the player side gives them. Later values replace earlier ones.\n"
    "\n"
    "Exit status: 0 no diagnostic, 1 diagnostics were collected, 2 usage error or a\n"
    "file that cannot be read.\n";

struct TOptions {
  std::vector<Text> Tags = std::vector<Text>(kTagCount);
  bool Utf8 = false;
  bool DefaultScript = false;
  bool Help = false;
  Text ScriptPath;
  std::vector<Text> TagFiles;
  std::vector<Text> TagArguments;  // NAME=VALUE, in command-line order with the files
};

// A usage problem, told on one line of standard error.
struct TUsageError {
  Text Message;
};

bool ReadFile(const Text& path, Text& content) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  content = bytes.str();
  return !file.bad();
}

Text ToEngine(const TOptions& options, const Text& text) {
  return options.Utf8 ? Utf8ToCp1251(text) : text;
}

Text StripByteOrderMark(const Text& text) {
  return text.rfind("\xEF\xBB\xBF", 0) == 0 ? text.substr(3) : text;
}

void SetTag(TOptions& options, const Text& assignment, const Text& where) {
  size_t equals = assignment.find('=');
  int32_t row = equals == Text::npos ? -1 : TagIndex(assignment.substr(0, equals));
  if (equals == Text::npos) throw TUsageError{where + ": expected NAME=VALUE, got '" + assignment + "'"};
  if (row < 0) throw TUsageError{where + ": no tag named '" + assignment.substr(0, equals) + "'"};
  options.Tags[row] = ToEngine(options, assignment.substr(equals + 1));
}

void ReadTagFile(TOptions& options, const Text& path) {
  Text content;
  if (!ReadFile(path, content)) throw TUsageError{"cannot read tag file '" + path + "'"};
  std::istringstream lines(StripByteOrderMark(content));
  Text line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) SetTag(options, line, path + ":" + std::to_string(number));
  }
}

Text NextArgument(int argc, char** argv, int& i) {
  if (i + 1 >= argc) throw TUsageError{Text(argv[i]) + " needs a value"};
  return argv[++i];
}

void ReadArgument(TOptions& options, int argc, char** argv, int& i) {
  const Text argument = argv[i];
  if (argument == "--help" || argument == "-h") options.Help = true;
  else if (argument == "--utf8") options.Utf8 = true;
  else if (argument == "--default-script") options.DefaultScript = true;
  else if (argument == "--tag") options.TagArguments.push_back("=" + NextArgument(argc, argv, i));
  else if (argument == "--tags") options.TagArguments.push_back("@" + NextArgument(argc, argv, i));
  else if (argument.rfind("--", 0) == 0) throw TUsageError{"unknown option " + argument};
  else if (!options.ScriptPath.empty()) throw TUsageError{"more than one script given"};
  else options.ScriptPath = argument;
}

// Tags are applied after all options are read, so that --utf8 counts wherever it stands.
TOptions ReadOptions(int argc, char** argv) {
  TOptions options;
  options.Tags[TagIndex("Status")] = "%Status";
  options.Tags[TagIndex("Status2")] = "%Status2";
  for (int i = 1; i < argc; ++i) ReadArgument(options, argc, argv, i);
  if (options.Help) return options;
  if (options.DefaultScript == !options.ScriptPath.empty()) {
    throw TUsageError{"give either a script file or --default-script (see --help)"};
  }
  for (const Text& tag : options.TagArguments) {
    if (tag[0] == '=') SetTag(options, tag.substr(1), "--tag");
    else ReadTagFile(options, tag.substr(1));
  }
  return options;
}

Text LoadScript(const TOptions& options) {
  if (options.DefaultScript) return DefaultScript();
  Text script;
  if (!ReadFile(options.ScriptPath, script)) {
    throw TUsageError{"cannot read script '" + options.ScriptPath + "'"};
  }
  return options.Utf8 ? Utf8ToCp1251(StripByteOrderMark(script)) : script;
}

void Print(FILE* stream, const Text& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

int Run(int argc, char** argv) {
  const TOptions options = ReadOptions(argc, argv);
  if (options.Help) {
    Print(stdout, kHelp);
    return kExitClean;
  }
  const TTestReport report = BuildTestReport(options.Tags, LoadScript(options));
  const Text message = report.Message + "\r\n";
  Print(stdout, options.Utf8 ? Cp1251ToUtf8(message) : message);
  return report.DiagnosticCount == 0 ? kExitClean : kExitDiagnostics;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The message's own CR LF pairs go out as they are.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  try {
    return Run(argc, argv);
  } catch (const TUsageError& error) {
    Print(stderr, "tunepost-script: " + error.Message + "\n");
    return kExitUsage;
  } catch (const std::exception& error) {
    Print(stderr, Text("tunepost-script: ") + error.what() + "\n");
    return kExitUsage;
  }
}
