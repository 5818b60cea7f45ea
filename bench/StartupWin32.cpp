// Start-up of Brisvane.exe against a minimal Win32 program, measured from
// inside Windows (or a warm Wine): the time from CreateProcess to the
// program's window being visible, the two launched alternately.
//
// Usage: startup_win32 Brisvane.exe minimal_win32.exe [runs, default 20]

#include "Win32Process.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Milliseconds from launch to a visible window titled `title`; the program
// is then closed.
double Measure(const std::wstring& program, const std::wstring& arguments, const wchar_t* title)
{
    const auto start = std::chrono::steady_clock::now();
    const Win32Process process(program, arguments);
    if (!process.Started())
        return -1;
    process.WaitForWindow(title, std::chrono::seconds(20), std::chrono::milliseconds(1));
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::wstring Wide(const char* text)
{
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_win32 Brisvane.exe minimal_win32.exe [runs]\n");
        return 2;
    }
    const std::wstring brisvane = Wide(argv[1]);
    const std::wstring minimal = Wide(argv[2]);
    const int runs = argc > 3 ? std::atoi(argv[3]) : 20;
    Measure(brisvane, L"1600000000", L"Brisvane");  // warm-up: page cache, fonts
    Measure(minimal, L"", L"Minimal");
    std::vector<double> ours, theirs;
    for (int i = 0; i < runs; ++i) {
        ours.push_back(Measure(brisvane, L"1600000000", L"Brisvane"));
        theirs.push_back(Measure(minimal, L"", L"Minimal"));
    }
    std::printf("%-14s %12s   (medians of %d runs each, alternated)\n", "program", "start-up ms", runs);
    std::printf("%-14s %12.1f\n%-14s %12.1f\nratio          %12.2f\n", "Brisvane.exe", Median(ours), "minimal Win32",
                Median(theirs), Median(ours) / Median(theirs));
    return 0;
}
