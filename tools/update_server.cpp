// A stand-in for the address "Check for Updates" asks: a tiny HTTP server on 127.0.0.1 that
// answers every GET with one body. It prints the port it listens on (first line of stdout) and
// serves until it is killed, so tests start it, read the port and point the setting at it.
//
//   update_server [--status CODE] [--content-type TYPE] BODY
//   update_server --stall    (accepts connections and never answers: a dead network)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    int status = 200;
    bool stall = false;
    std::string type = "application/json", body;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--status" && i + 1 < argc)
            status = std::atoi(argv[++i]);
        else if (a == "--content-type" && i + 1 < argc)
            type = argv[++i];
        else if (a == "--stall")
            stall = true;
        else
            body = a;
    }
    int server = ::socket(AF_INET, SOCK_STREAM, 0);
    if (server < 0) return 1;
    int yes = 1;
    ::setsockopt(server, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(server, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) return 1;
    if (::listen(server, 8) != 0) return 1;
    socklen_t len = sizeof addr;
    ::getsockname(server, reinterpret_cast<sockaddr*>(&addr), &len);
    std::printf("%d\n", ntohs(addr.sin_port));
    std::fflush(stdout);
    std::vector<int> stalled;
    for (;;) {
        int client = ::accept(server, nullptr, nullptr);
        if (client < 0) continue;
        if (stall) {
            stalled.push_back(client);  // kept open, never answered
            continue;
        }
        // Read the request head; its contents do not matter.
        std::string request;
        char buf[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            ssize_t n = ::read(client, buf, sizeof buf);
            if (n <= 0) break;
            request.append(buf, static_cast<size_t>(n));
        }
        std::string reply = "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Type: " + type +
                            "\r\nContent-Length: " + std::to_string(body.size()) +
                            "\r\nConnection: close\r\n\r\n" + body;
        ssize_t written = ::write(client, reply.data(), reply.size());
        (void)written;
        ::close(client);
    }
}
