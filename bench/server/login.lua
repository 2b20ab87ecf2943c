-- LoginAccount of the load-test accounts bench1..bench64, in turn (ListForm).
wrk.method = "POST"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
wrk.headers["User-Agent"] = "ZubSpecAccess"
local n = 0
request = function()
  n = n + 1
  local body = "nick=bench" .. ((n % 64) + 1) .. "&pw=benchpw1&label0=0"
  return wrk.format(nil, nil, nil, body)
end
local refused = 0
response = function(status, headers, body)
  if body == "no" then refused = refused + 1 end
end
