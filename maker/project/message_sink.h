#pragma once
// Where the project code hands messages meant for the user: the GUI shows them in message
// boxes with OK, the command line prints them.

#include <string_view>

namespace gd {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(std::string_view text) = 0;
};

}  // namespace gd
