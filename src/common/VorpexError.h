#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the model and file layers; windows turn it into a message box.
class VorpexError : public std::runtime_error
{
public:
    explicit VorpexError(const QString &message)
        : std::runtime_error(message.toStdString()), text(message)
    {}
    const QString &message() const { return text; }

private:
    QString text;
};
