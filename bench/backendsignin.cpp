// Sign-in latency against a fresh local backend: the password grant and the "login-session"
// function, each called in turn over one kept-alive connection, as the app does.
#include "backendhttp.h"
#include "localbackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int rounds = 40;

struct Figures
{
    double median;
    double p90;
    double worst;
};

Figures figures(QList<double> milliseconds)
{
    std::sort(milliseconds.begin(), milliseconds.end());
    const auto at = [&](double share) {
        return milliseconds.at(std::min<qsizetype>(milliseconds.size() - 1,
                                                    qsizetype(share * milliseconds.size())));
    };
    return {at(0.5), at(0.9), milliseconds.last()};
}

template<typename Call>
bool measure(const char *name, Call call)
{
    QList<double> times;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        const int status = call();
        times << timer.nsecsElapsed() / 1e6;
        if (status != 200) {
            std::fprintf(stderr, "%s answered %d\n", name, status);
            return false;
        }
    }
    const Figures result = figures(times);
    std::printf("%-28s median %6.1f ms   p90 %6.1f ms   max %6.1f ms   (%d calls)\n", name,
                result.median, result.p90, result.worst, rounds);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    LocalBackend backend;
    if (!backend.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(backend.errorString()));
        return 1;
    }
    BackendHttp http(backend);
    const QByteArray credentials =
        json({{"email", "bench@example.com"}, {"password", "bench-password"}});
    if (http.post("/auth/v1/signup", credentials).status != 200)
        return 1;

    const bool ok =
        measure("sign-in (password grant)", [&] {
            return http.post("/auth/v1/token?grant_type=password", credentials).status;
        })
        && measure("sign-in (login-session)", [&] {
               return http.post("/functions/v1/login-session", credentials).status;
           });
    return ok ? 0 : 1;
}
