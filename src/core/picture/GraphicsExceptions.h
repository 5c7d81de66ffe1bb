#pragma once

#include <stdexcept>
#include <string>

namespace tessivar {

// Base of every error raised while reading or holding a picture. The message is the
// text shown to the user.
class EGraphicsException : public std::runtime_error {
public:
    explicit EGraphicsException(const std::string& message)
        : std::runtime_error(message) {}
};

// A BitmapImage was asked for a bit count other than 8 or 24.
class EInvalidBitCount : public EGraphicsException {
public:
    EInvalidBitCount()
        : EGraphicsException("Invalid bit count") {}
};

// A BitmapImage row outside the image was addressed.
class ESubscriptOutOfRange : public EGraphicsException {
public:
    ESubscriptOutOfRange()
        : EGraphicsException("Subscript out of range") {}
};

// Base of the JPEG reader's errors; also raised directly for a few table errors.
class EJpegError : public EGraphicsException {
public:
    explicit EJpegError(const std::string& message)
        : EGraphicsException(message) {}
};

// A malformed or unsupported JPEG stream.
class EJpegBadData : public EJpegError {
public:
    explicit EJpegBadData(const std::string& message)
        : EJpegError(message) {}
};

// An inconsistency inside the decoder's own bookkeeping.
class EJpegFatal : public EJpegError {
public:
    explicit EJpegFatal(const std::string& message)
        : EJpegError(message) {}
};

} // namespace tessivar
