// The questions asked before a job writes its output file. The window asks
// them in message boxes, the command line on its terminal: both go through
// here, so both ask the same questions in the same order.
#pragma once

#include <QString>

#include <functional>

struct OutputQuestions {
    // Asks a Yes/No question; false when the answer is No.
    std::function<bool(const QString& question)> ask;
    // Reports a failure that ends the run before it starts.
    std::function<void(const QString& text)> error;
    // Whether an output file already stands under the path.
    std::function<bool(const QString& output)> exists;
};

// The folder the output goes into, made absolute.
QString OutputFolder(const QString& output);

// Warning 4: a missing output folder is created, with every missing parent,
// when the user agrees. False when declined or when it cannot be created.
bool PrepareOutputFolder(const QString& output, const OutputQuestions& questions);

// Warning 2 (only when the extension is not an accepted one), Warning 4 and
// Warning 1, in this order. False when the run must not go on.
bool AskOutputQuestions(const QString& output, bool validExtension,
                        const OutputQuestions& questions);
