#pragma once

#include <cstddef>
#include <stdexcept>

namespace velmora {

// Stops a button's work where it is raised. The message is shown to the user as it stands, so it
// is written in the program's language and says what went wrong in the user's terms.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The user chose to end a calculation run; the choice itself was the message, so nothing more is
// shown.
class Abandoned : public Error {
public:
    using Error::Error;
};

// An arithmetic result that is not a finite single: overflow, division by zero or an invalid
// operation such as 0 / 0.
class ArithmeticError : public Error {
public:
    using Error::Error;
};

// A table was read before it exists, or at an index outside it.
class SubscriptOutOfRange : public Error {
public:
    SubscriptOutOfRange(long index, std::size_t size, bool present);
};

} // namespace velmora
