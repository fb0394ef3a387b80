// geocode_stub: a stand-in geocoding web service on loopback, answering in the Google-style
// XML shape the lookup window reads, for the tests and for trying the lookup offline.
//
//   geocode_stub [--port N]
//
// It listens on 127.0.0.1 (port N, or one the system picks), prints "port <n>" and serves
// GET /maps/api/geocode/xml?address=...&key=... until it receives GET /quit. Each request is
// printed as "get <path>". The address chooses the answer:
//   contains "nogeometry"  a well-formed answer whose result carries no geometry
//   contains "malformed"   a document cut off in the middle of the geometry
//   contains "slow"        the normal answer after 1.5 seconds
//   contains "nopostal"    the normal answer without a postal-code component
//   anything else          lat 40.2096, lng -74.0100, postal code 07712
#if defined(__unix__) || defined(__APPLE__)
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::string normal_answer(const std::string& address, bool with_postal) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<GeocodeResponse>\n <status>OK</status>\n"
        " <result>\n  <type>street_address</type>\n"
        "  <formatted_address>" +
        address +
        "</formatted_address>\n"
        "  <address_component>\n   <long_name>Monmouth County</long_name>\n"
        "   <short_name>Monmouth County</short_name>\n"
        "   <type>administrative_area_level_2</type>\n   <type>political</type>\n"
        "  </address_component>\n";
    if (with_postal)
        xml +=
            "  <address_component>\n   <long_name>07712</long_name>\n"
            "   <short_name>07712</short_name>\n   <type>postal_code</type>\n"
            "  </address_component>\n";
    xml +=
        "  <geometry>\n   <location>\n    <lat>40.2096000</lat>\n    <lng>-74.0100000</lng>\n"
        "   </location>\n   <location_type>ROOFTOP</location_type>\n  </geometry>\n"
        " </result>\n</GeocodeResponse>\n";
    return xml;
}

std::string answer_for(const std::string& path) {
    if (path.find("nogeometry") != std::string::npos)
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<GeocodeResponse>\n"
               " <status>OK</status>\n <result>\n  <type>locality</type>\n"
               "  <address_component>\n   <short_name>07712</short_name>\n"
               "   <type>postal_code</type>\n  </address_component>\n </result>\n"
               "</GeocodeResponse>\n";
    if (path.find("malformed") != std::string::npos)
        return "<?xml version=\"1.0\"?>\n<GeocodeResponse><result><geometry><location><lat>40.1"
               "</lat><lng>-74";
    if (path.find("slow") != std::string::npos)
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    return normal_answer(path, path.find("nopostal") == std::string::npos);
}

void send_all(int fd, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int port = 0;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--port") == 0) port = std::atoi(argv[i + 1]);
    int server = ::socket(AF_INET, SOCK_STREAM, 0);
    int yes = 1;
    ::setsockopt(server, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(server, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(server, 8) != 0) {
        std::perror("geocode_stub");
        return 1;
    }
    socklen_t len = sizeof addr;
    ::getsockname(server, reinterpret_cast<sockaddr*>(&addr), &len);
    std::printf("port %d\n", ntohs(addr.sin_port));
    std::fflush(stdout);
    for (;;) {
        int client = ::accept(server, nullptr, nullptr);
        if (client < 0) continue;
        std::string request;
        char buf[4096];
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            ssize_t n = ::recv(client, buf, sizeof buf, 0);
            if (n <= 0) break;
            request.append(buf, static_cast<size_t>(n));
        }
        std::string path;
        if (request.rfind("GET ", 0) == 0) {
            size_t end = request.find(' ', 4);
            path = request.substr(4, end == std::string::npos ? std::string::npos : end - 4);
        }
        std::printf("get %s\n", path.c_str());
        std::fflush(stdout);
        bool quit = path == "/quit";
        std::string body = quit ? std::string("bye\n") : answer_for(path);
        int status = (quit || path.rfind("/maps/api/geocode/xml", 0) == 0) ? 200 : 404;
        std::string head = "HTTP/1.1 " + std::to_string(status) +
                           (status == 200 ? " OK" : " Not Found") +
                           "\r\nContent-Type: application/xml; charset=UTF-8\r\nContent-Length: " +
                           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
        send_all(client, head + body);
        ::shutdown(client, SHUT_WR);
        ::close(client);
        if (quit) break;
    }
    ::close(server);
    return 0;
}
#else
#include <cstdio>
int main() {
    std::fprintf(stderr, "geocode_stub needs a POSIX system\n");
    return 1;
}
#endif
