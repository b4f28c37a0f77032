// selmarind-chart: the chart calculation on the command line.
#include "cli/chart_tool.h"
#include "cli/input_file.h"
#include "cli/output_check.h"

#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Standard input and output on their descriptors, so that a failed read
    // or write is seen with its reason.
    selmarind::cli::InputFile input(STDIN_FILENO);
    std::istream in(&input);
    selmarind::cli::DescriptorOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    int status = selmarind::cli::RunChartTool(args, in, out, std::cerr);
    // The tool reported a failed write itself; closing can still fail.
    const bool reported = output.Error() != 0;
    if (const int error = output.Close(); error != 0 && !reported) {
        std::cerr << selmarind::cli::CannotWriteMessage(std::strerror(error)) << "\n";
        status = selmarind::cli::kExitFailure;
    }
    return status;
}
