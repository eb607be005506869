#include "CommandRun.h"

#include "FileBytes.h"

#include <sys/wait.h>

#include <cstdlib>

CommandResult RunCommandIn(const std::filesystem::path& folder, const std::string& commandLine,
                           const std::string& input)
{
    WriteWholeFile(folder / "stdin.txt", input);
    const std::string command =
        "cd '" + folder.string() + "' && " + commandLine + " <stdin.txt >stdout.txt 2>stderr.txt";
    const int raw = std::system(command.c_str());
    CommandResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadWholeFile(folder / "stdout.txt");
    result.err = ReadWholeFile(folder / "stderr.txt");
    return result;
}
