// selmarind-chart: the chart calculation on the command line.
#include "cli/chart_tool.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return selmarind::cli::RunChartTool(args, std::cin, std::cout, std::cerr);
}
