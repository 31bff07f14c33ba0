// "login-session": signs a user in with e-mail and password and answers the session's tokens,
// which the app then adopts as its session.
//
//   POST {"email": "...", "password": "..."}
//   200 {"access_token", "refresh_token", "user_id", "email"}
//   400 {"error"} malformed body, missing field, or an address not yet confirmed
//   401 {"error"} wrong e-mail address or password
import { createClient } from "npm:@supabase/supabase-js@2";

const corsHeaders = {
  "Access-Control-Allow-Origin": "*",
  "Access-Control-Allow-Headers": "authorization, x-client-info, apikey, content-type",
  "Access-Control-Allow-Methods": "POST, OPTIONS",
};

interface Credentials {
  email: string;
  password: string;
}

function answer(status: number, body: Record<string, unknown>): Response {
  return new Response(JSON.stringify(body), {
    status,
    headers: { ...corsHeaders, "Content-Type": "application/json" },
  });
}

// The credentials, or the reason the body does not hold them.
async function readCredentials(request: Request): Promise<Credentials | string> {
  let body: unknown;
  try {
    body = await request.json();
  } catch {
    return "Request body must be a JSON object";
  }
  if (typeof body !== "object" || body === null || Array.isArray(body)) {
    return "Request body must be a JSON object";
  }
  const { email, password } = body as Record<string, unknown>;
  if (typeof email !== "string" || email.trim() === "" || typeof password !== "string" || password === "") {
    return "Email and password are required";
  }
  return { email, password };
}

Deno.serve(async (request) => {
  if (request.method === "OPTIONS") {
    return new Response("ok", { headers: corsHeaders });
  }
  if (request.method !== "POST") {
    return answer(405, { error: "Method not allowed" });
  }
  const credentials = await readCredentials(request);
  if (typeof credentials === "string") {
    return answer(400, { error: credentials });
  }

  // A client per request that keeps nothing: the session belongs to the caller, not to us.
  const supabase = createClient(Deno.env.get("SUPABASE_URL")!, Deno.env.get("SUPABASE_ANON_KEY")!, {
    auth: { persistSession: false, autoRefreshToken: false, detectSessionInUrl: false },
  });
  const { data, error } = await supabase.auth.signInWithPassword(credentials);

  if (error) {
    if (error.code === "email_not_confirmed" || error.message === "Email not confirmed") {
      return answer(400, { error: "Email not confirmed" });
    }
    if (error.status === 429) {
      return answer(429, { error: "Too many sign-in attempts. Please try again later." });
    }
    if (error.status !== undefined && error.status >= 400 && error.status < 500) {
      return answer(401, { error: "Invalid login credentials" });
    }
    console.error("login-session: sign-in failed:", error.status, error.message);
    return answer(500, { error: "Sign-in failed" });
  }
  if (!data.session || !data.user) {
    console.error("login-session: sign-in answered without a session");
    return answer(500, { error: "Sign-in failed" });
  }
  return answer(200, {
    access_token: data.session.access_token,
    refresh_token: data.session.refresh_token,
    user_id: data.user.id,
    email: data.user.email,
  });
});
