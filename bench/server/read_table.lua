-- ReadTable: the ten best rows of the world table 9 (ListForm).
wrk.method = "POST"
wrk.body = "gid=9"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
wrk.headers["User-Agent"] = "ZubSpecAccess"
