#include "tests/testkit/dialog_harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace testkit {

DialogHarness::DialogHarness() : m_transcript(m_dir.Path() + "/transcript.txt") {
    setenv("VELTRIN_TRANSCRIPT", m_transcript.c_str(), 1);
}

DialogHarness::~DialogHarness() {
    unsetenv("VELTRIN_TRANSCRIPT");
}

DialogHarness &DialogHarness::Install() {
    auto harness = std::make_unique<DialogHarness>();
    DialogHarness &installed = *harness;
    ui::SetDriver(std::move(harness));
    return installed;
}

INT_PTR DialogHarness::WhileOpen(CDialog &dialog, const std::function<void()> &act) {
    bool opened = false; // dialogs that act opens are answered as queued
    onOpened = [&](const ui::Window &window) {
        if (opened)
            return;
        opened = true;
        act();
        inputs[window.TemplateId()].push_back(ui::Input::Click(IDCANCEL));
    };
    const INT_PTR result = dialog.DoModal();
    onOpened = nullptr;
    return result;
}

std::vector<std::string> DialogHarness::Transcript() const {
    return testkit::Lines(ReadFile(m_transcript));
}

std::vector<std::string> DialogHarness::Lines(const std::string &prefix) const {
    std::vector<std::string> found;
    for (std::string &line : Transcript())
        if (line.starts_with(prefix))
            found.push_back(std::move(line));
    return found;
}

std::vector<std::string> DialogHarness::Events() const {
    std::vector<std::string> found;
    for (std::string &line : Transcript())
        if (!line.starts_with("list ") && !line.starts_with("check "))
            found.push_back(std::move(line));
    return found;
}

void DialogHarness::ClearTranscript() {
    WriteFile(m_transcript, "");
}

void DialogHarness::ExpectAllUsed() const {
    for (const auto &[id, queue] : inputs)
        EXPECT_TRUE(queue.empty()) << "inputs left for dialog " << id;
    EXPECT_TRUE(answers.empty()) << "message box answers left";
}

int DialogHarness::ShowMessageBox(const ui::MessageBoxRequest &request) {
    if (onMessageBox)
        onMessageBox(request);
    if (answers.empty()) {
        ADD_FAILURE() << "message box without an answer: " << request.text;
        return ui::MessageBoxButtons(request.style).back();
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void DialogHarness::DialogOpened(const ui::Window &window) {
    if (onOpened)
        onOpened(window);
}

ui::Input DialogHarness::NextInput(const ui::Window &active, std::optional<ui::Duration>) {
    auto &queue = inputs[active.TemplateId()];
    if (queue.empty()) {
        ADD_FAILURE() << "dialog " << active.TemplateId() << " waits without input";
        return ui::Input::Click(IDCANCEL);
    }
    const ui::Input next = queue.front();
    queue.pop_front();
    return next;
}

void DialogHarness::InputRejected(const ui::Window &active, const ui::Input &input,
                                  const std::string &reason) {
    ADD_FAILURE() << "dialog " << active.TemplateId() << " rejected input on " << input.id << ": "
                  << reason;
}

void DialogHarness::DialogClosed(const ui::Window &window, int result) {
    if (onClosed)
        onClosed(window, result);
}

} // namespace testkit
