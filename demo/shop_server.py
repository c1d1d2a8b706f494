#!/usr/bin/env python3
"""Demo shop server: the order-list endpoint of several online shops on one loopback port.

Each shop lives under its own path prefix (http://127.0.0.1:PORT/magazin-1/orders) and has
its own HTTP Basic credentials. The orders are generated from fixed seeds, so every run of
the server with the same options serves the same pages.

    shop_server.py [--bind 127.0.0.1] [--port 0] [--orders 230]
                   [--shop NAME:USER:PASSWORD ...] [--ready-file PATH] [--verbose]

With --port 0 the system picks a free port. Once the server accepts connections it prints
the port on a line of its own on stdout and, with --ready-file, writes it to that file.
"""

import argparse
import base64
import datetime
import json
import os
import random
import sys
import unicodedata
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qsl, urlsplit

DEFAULT_SHOPS = [
    ("magazin-1", "cartovia1", "Parola-M1"),
    ("magazin-2", "cartovia2", "Parola-M2"),
    ("magazin-3", "cartovia3", "Parola-M3"),
]
DEFAULT_ORDERS = 230
MAX_LIMIT = 250

# Products the demo ERP knows (demo/sql/erp_demo_data.sql lists the same codes).
CATALOG = [
    ("CAF-001", "Cafea boabe Brazilia Santos 1 kg", 89.90),
    ("CAF-002", "Cafea măcinată Columbia 250 g", 32.50),
    ("CAF-003", "Cafea boabe Etiopia Yirgacheffe 500 g", 74.00),
    ("CAF-004", "Capsule espresso intens (10 buc)", 21.90),
    ("CEA-001", "Ceai verde Sencha 100 g", 18.50),
    ("CEA-002", "Ceai de tei din Ţara Haţegului 50 g", 12.00),
    ("CEA-003", "Ceai negru Assam 100 g", 16.75),
    ("CIO-001", "Ciocolată amăruie 70% 100 g", 11.40),
    ("ACC-001", "Râşniţă manuală din ceramică", 129.00),
    ("ACC-002", "Filtru V60 din sticlă", 64.90),
    ("ACC-003", "Cană termoizolantă 350 ml", 45.00),
    ("ACC-004", "Ibric de aramă pentru cafea turcească", 89.00),
]
# Products the shop sells but the ERP does not know: importing such an order fails.
UNKNOWN_PRODUCTS = [
    ("CAF-999", "Cafea boabe Kenya AA 1 kg (lot nou)", 119.00),
    ("ACC-404", "Set cadou de Crăciun", 149.00),
]

FIRST_NAMES = ["Ion", "Maria", "Andreea", "Mihai", "Ştefan", "Ioana", "Răzvan", "Cătălina", "Tudor",
               "Alexandru", "Elena", "Bogdan", "Irina", "Gheorghe", "Ana-Maria", "Florin", "Oana"]
LAST_NAMES = ["Popescu", "Ionescu", "Ţăranu", "Dumitrescu", "Stănescu", "Munteanu", "Răducanu",
              "Constantinescu", "Pîrvu", "Moldoveanu", "Şerban", "Niţă", "Bălan", "Vlăduţ", "Ciobanu"]
PLACES = [("Bucureşti", "Sector 3", "030167"), ("Cluj-Napoca", "Cluj", "400124"), ("Iaşi", "Iaşi", "700259"),
          ("Timişoara", "Timiş", "300011"), ("Braşov", "Braşov", "500030"), ("Constanţa", "Constanţa", "900178"),
          ("Târgu Mureş", "Mureş", "540088"), ("Piteşti", "Argeş", "110014"), ("Sibiu", "Sibiu", "550160"),
          ("Galaţi", "Galaţi", "800008")]
STREETS = ["Str. Mihai Eminescu", "Bd. Ştefan cel Mare", "Str. Avram Iancu", "Calea Victoriei",
           "Str. Libertăţii", "Aleea Trandafirilor", "Str. Mărăşeşti", "Bd. Unirii"]

FIRST_ORDER_TIME = datetime.datetime(2026, 1, 5, 8, 0, tzinfo=datetime.timezone(datetime.timedelta(hours=2)))
ORDER_SPACING_MINUTES = 97
CUSTOMERS_PER_SHOP = 60
ORDER_WITHOUT_CUSTOMER = 13


def ascii_fold(text):
    return unicodedata.normalize("NFKD", text).encode("ascii", "ignore").decode("ascii")


def make_customer(shop, number):
    rng = random.Random(f"{shop}/customer/{number}")
    first, last = rng.choice(FIRST_NAMES), rng.choice(LAST_NAMES)
    city, county, postcode = rng.choice(PLACES)
    return {
        "first_name": first,
        "last_name": last,
        "email": f"{ascii_fold(first)}.{ascii_fold(last)}{number}@example.ro".lower(),
        "phone": "07" + "".join(rng.choice("0123456789") for _ in range(8)),
        "address": {
            "street": f"{rng.choice(STREETS)} nr. {rng.randint(1, 180)}",
            "city": city,
            "county": county,
            "postcode": postcode,
            "country": "RO",
        },
    }


def make_order(shop_index, shop, i):
    """Order number i (from 1) of a shop; the same inputs give the same order."""
    rng = random.Random(f"{shop}/order/{i}")
    products = rng.sample(CATALOG, rng.randint(1, 4))
    # A few orders carry a product the ERP does not know.
    if i % 41 == 7:
        products.append(UNKNOWN_PRODUCTS[0])
    elif i % 53 == 20:
        products.append(UNKNOWN_PRODUCTS[1])
    line_items = []
    for n, (sku, name, price) in enumerate(products, start=1):
        quantity = rng.choice([1, 1, 1, 2, 2, 3, 5])
        line_items.append({"id": i * 10 + n, "sku": sku, "name": name, "quantity": quantity,
                           "price": f"{price:.2f}", "total": f"{price * quantity:.2f}"})
    created = FIRST_ORDER_TIME + datetime.timedelta(minutes=ORDER_SPACING_MINUTES * (i - 1) + rng.randint(0, 90))
    customer = None if i == ORDER_WITHOUT_CUSTOMER else make_customer(shop, rng.randint(1, CUSTOMERS_PER_SHOP))
    return {
        "id": (shop_index + 1) * 1000000 + 5000 + i,
        "number": f"CV{shop_index + 1}-{i:05d}",
        "date_created": created.isoformat(),
        "status": "processing",
        "shipping_status": "awaiting",
        "payment_status": rng.choice(["paid", "paid", "pending"]),
        "currency": "RON",
        "customer": customer,
        "line_items": line_items,
        "total": f"{sum(float(item['total']) for item in line_items):.2f}",
    }


class Shop:
    def __init__(self, index, name, user, password, order_count):
        self.name = name
        self.credential = "Basic " + base64.b64encode(f"{user}:{password}".encode("utf-8")).decode("ascii")
        self.orders = [make_order(index, name, i) for i in range(1, order_count + 1)]


class BadRequest(Exception):
    pass


FIXED_PARAMETERS = {"include": "line_items", "sort": "date_created", "shipping_status": "awaiting"}


def read_paging(query):
    """Checks the query string and returns (start, limit); any deviation is a BadRequest."""
    pairs = parse_qsl(query, keep_blank_values=True)
    names = [name for name, _ in pairs]
    expected = list(FIXED_PARAMETERS) + ["start", "limit"]
    for name in names:
        if name not in expected:
            raise BadRequest(f"Parametru necunoscut: {name}")
        if names.count(name) > 1:
            raise BadRequest(f"Parametru repetat: {name}")
    values = dict(pairs)
    for name in expected:
        if name not in values:
            raise BadRequest(f"Lipseşte parametrul {name}")
    for name, value in FIXED_PARAMETERS.items():
        if values[name] != value:
            raise BadRequest(f"Valoare nepermisă pentru {name}: {values[name]}")
    for name in ("start", "limit"):
        if not values[name].isascii() or not values[name].isdigit():
            raise BadRequest(f"{name} trebuie să fie un număr natural: {values[name]}")
    start, limit = int(values["start"]), int(values["limit"])
    if not 1 <= limit <= MAX_LIMIT:
        raise BadRequest(f"limit trebuie să fie între 1 şi {MAX_LIMIT}: {limit}")
    return start, limit


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "CartoviaDemo/1.0"

    def do_GET(self):
        url = urlsplit(self.path)
        parts = url.path.split("/")
        shop = self.server.shops.get(parts[1]) if len(parts) == 3 and parts[2] == "orders" else None
        if shop is None:
            self.send_json(404, {"status": 404, "title": "Not Found", "detail": f"Resursă inexistentă: {url.path}"})
            return
        if self.headers.get("Authorization") != shop.credential:
            self.send_json(401, {"status": 401, "title": "Unauthorized", "detail": "Autentificare eşuată"},
                           {"WWW-Authenticate": f'Basic realm="{shop.name}"'})
            return
        try:
            start, limit = read_paging(url.query)
        except BadRequest as error:
            self.send_json(400, {"status": 400, "title": "Bad Request", "detail": str(error)})
            return
        self.send_json(200, self.page(shop, start, limit))

    def page(self, shop, start, limit):
        orders = shop.orders[start:start + limit]
        total = len(shop.orders)
        link = (f"http://{self.headers.get('Host', self.server.address)}/{shop.name}/orders"
                "?include=line_items&sort=date_created&shipping_status=awaiting&start={}&limit=" + str(limit))
        return {
            "data": orders,
            "meta": {
                "pagination": {"total": total, "count": len(orders), "per_page": limit, "start": start,
                               "current_page": start // limit + 1, "total_pages": -(-total // limit)},
                "links": {"current": link.format(start),
                          "next": link.format(start + limit) if start + limit < total else None},
            },
        }

    def send_json(self, status, body, headers=None):
        data = json.dumps(body, ensure_ascii=False).encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "application/json; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        for name, value in (headers or {}).items():
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(data)

    def log_message(self, format, *args):
        if self.server.verbose:
            sys.stderr.write("%s %s\n" % (self.log_date_time_string(), format % args))


def parse_shop(text):
    parts = text.split(":", 2)
    if len(parts) != 3 or not parts[0] or "/" in parts[0]:
        raise argparse.ArgumentTypeError(f"expected NAME:USER:PASSWORD, got {text!r}")
    return tuple(parts)


def main():
    parser = argparse.ArgumentParser(description="Demo shop server (order lists of several shops).")
    parser.add_argument("--bind", default="127.0.0.1", help="address to listen on (default 127.0.0.1)")
    parser.add_argument("--port", type=int, default=0, help="port to listen on; 0 picks a free one")
    parser.add_argument("--orders", type=int, default=DEFAULT_ORDERS, help="orders per shop")
    parser.add_argument("--shop", type=parse_shop, action="append", metavar="NAME:USER:PASSWORD",
                        help="a shop and its credentials (repeatable; default: three demo shops)")
    parser.add_argument("--ready-file", help="file that receives the port once the server listens")
    parser.add_argument("--verbose", action="store_true", help="log every request on stderr")
    args = parser.parse_args()
    if args.orders < 0:
        parser.error("--orders must not be negative")

    try:
        server = ThreadingHTTPServer((args.bind, args.port), Handler)
    except OSError as error:
        sys.stderr.write(f"shop_server: cannot listen on {args.bind}:{args.port}: {error.strerror}\n")
        return 1
    server.daemon_threads = True
    server.verbose = args.verbose
    server.shops = {name: Shop(i, name, user, password, args.orders)
                    for i, (name, user, password) in enumerate(args.shop or DEFAULT_SHOPS)}
    port = server.server_address[1]
    server.address = f"{args.bind}:{port}"
    if args.ready_file:
        temporary = args.ready_file + ".tmp"
        with open(temporary, "w") as file:
            file.write(f"{port}\n")
        os.replace(temporary, args.ready_file)
    print(port, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
