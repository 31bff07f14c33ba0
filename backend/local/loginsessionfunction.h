#pragma once

#include "apireply.h"

class AuthEndpoints;

// The "login-session" server function, answering exactly as the hosted one does.
namespace LoginSessionFunction {

ApiReply invoke(AuthEndpoints &auth, const QByteArray &body);

}
