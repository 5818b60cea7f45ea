#pragma once

#include "FormView.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

// A view that keeps what the form shows, answers the prompt from a list,
// and writes down every call in order ("show", "prompt", "error",
// "report", "end 1"), so that a test can tell what the user saw and when.
class FakeView final : public Brisvane::FormView {
public:
    void SetText(Brisvane::TextBox box, const std::string& text) override { texts[box] = text; }
    void Show() override { calls.push_back("show"); }
    std::string Prompt(const std::string& title, const std::string& message) override
    {
        calls.push_back("prompt");
        promptTexts = {title, message};
        if (answers.empty())
            return {};  // as Cancel
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowError(const std::string& title, const std::string& message) override
    {
        calls.push_back("error");
        errorTexts = {title, message};
    }
    void ReportUnhandledError(const Brisvane::UnhandledErrorReport& report) override
    {
        calls.push_back("report");
        reports.push_back(report);
    }
    void EndProgram(int exitStatus) override { calls.push_back("end " + std::to_string(exitStatus)); }

    std::string Text(Brisvane::TextBox box) const
    {
        const auto found = texts.find(box);
        return found == texts.end() ? std::string() : found->second;
    }

    std::map<Brisvane::TextBox, std::string> texts;
    std::vector<std::string> calls;
    std::deque<std::string> answers;
    std::vector<std::string> promptTexts;
    std::vector<std::string> errorTexts;
    std::vector<Brisvane::UnhandledErrorReport> reports;
};
